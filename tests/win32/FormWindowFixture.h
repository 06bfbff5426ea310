#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/App.h"
#include "win32/FormTimerWindow.h"
// COM.
#include <objbase.h>

namespace kelvora::win32::test {

// No test here expects a message box.
struct FailingMessageBox final : core::MessageBox {
    void Show(const std::string& text, int, const std::string&) override { ADD_FAILURE() << text; }
};

// The real window with its real controls and the real logic, started from an
// executable folder of its own, removed afterwards, as Kelvora.exe would be.
class FormWindowTest : public testing::Test {
  protected:
    FormWindowTest() {
        // COM for the imaging component, as Kelvora.exe starts it.
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        std::filesystem::create_directories(folder_);
        core::App().Path = folder_.string();
        core::App().EXEName = "Kelvora";
    }
    ~FormWindowTest() override {
        window_.reset();
        std::filesystem::remove_all(folder_);
        // The unloaded form ended the message loop; the next test has its own.
        for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        }
    }

    void Start() {
        window_->Create();
        window_->LoadAndShow();
        Pump();
    }
    // Handles the window's messages for 100 ms, or until `done` holds (at most 2 s).
    bool Pump(const std::function<bool()>& done = nullptr) {
        using namespace std::chrono;
        for (const auto start = steady_clock::now();
             done ? !done() : steady_clock::now() - start < 100ms;) {
            if (steady_clock::now() - start > 2s) return false;
            DispatchPending(*window_);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    // A key, or a mouse button, pressed or released as the user does it.
    void PressKey(WORD key) {
        ::keybd_event(static_cast<BYTE>(key), 0, 0, 0);
        ::keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
        Pump();
    }
    void Mouse(DWORD button) {
        ::mouse_event(button, 0, 0, 0, 0);
        Pump();
    }
    HWND Control(FormControl control) const { return window_->ControlHandle(control); }
    static std::pair<int, int> SelectionOf(HWND edit) {
        const auto range = static_cast<DWORD>(::SendMessageW(edit, EM_GETSEL, 0, 0));
        return {LOWORD(range), HIWORD(range)};
    }

    const std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
                                          ("kelvora-" + std::to_string(::GetCurrentProcessId()));
    FailingMessageBox messageBox_;
    std::unique_ptr<FormTimerWindow> window_ =
        std::make_unique<FormTimerWindow>(messageBox_, [] {});
};

}  // namespace kelvora::win32::test
