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

namespace kelvora::win32::test {

// Records the message boxes instead of waiting for a user to close them.
struct RecordingMessageBox final : core::MessageBox {
    void Show(const std::string& text, int, const std::string&) override { shown += text; }
    std::string shown;
};

// The real window with its real controls and the real logic, started from an
// executable folder of its own, removed afterwards, as Kelvora.exe would be.
class FormWindowTest : public testing::Test {
  protected:
    FormWindowTest() {
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
    // Handles the window's messages until `done` holds or two seconds pass.
    bool Pump(const std::function<bool()>& done = nullptr) {
        const auto start = std::chrono::steady_clock::now();
        const auto waited = [&](int ms) {
            return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(ms);
        };
        while (done ? !done() : !waited(100)) {
            if (waited(2000)) return false;
            DispatchPending(*window_);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    // A key pressed and released, or the mouse moved to the middle of `on` or
    // its button pressed or released, as the user does it.
    void Input(WORD key, DWORD mouse = 0, const RECT& on = {}) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        if (key == 0) {
            input[0].type = INPUT_MOUSE;
            input[0].mi.dx = ::MulDiv(on.left + on.right, 32768, ::GetSystemMetrics(SM_CXSCREEN));
            input[0].mi.dy = ::MulDiv(on.top + on.bottom, 32768, ::GetSystemMetrics(SM_CYSCREEN));
            input[0].mi.dwFlags = mouse;
        }
        ::SendInput(key != 0 ? 2 : 1, input, sizeof(INPUT));
        Pump();
    }
    HWND Control(FormControl control) const { return window_->ControlHandle(control); }
    static std::pair<int, int> SelectionOf(HWND edit) {
        DWORD start = 0, end = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }

    const std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
                                          ("kelvora-win32-" + std::to_string(::GetCurrentProcessId()));
    RecordingMessageBox messageBox_;
    std::unique_ptr<FormTimerWindow> window_ =
        std::make_unique<FormTimerWindow>(messageBox_, [] {});
};

}  // namespace kelvora::win32::test
