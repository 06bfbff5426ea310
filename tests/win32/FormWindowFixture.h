#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFolders.h"
#include "core/App.h"
#include "win32/FormTimerWindow.h"

namespace kelvora::win32::test {

// Records the message boxes instead of waiting for a user to close them.
class RecordingMessageBox final : public core::MessageBox {
  public:
    struct Shown {
        std::string text;
        int style;
    };
    void Show(const std::string& text, int style, const std::string&) override {
        shown.push_back({text, style});
    }
    std::vector<Shown> shown;
};

// The real window with its real controls and the real logic, started from an
// executable folder of its own as Kelvora.exe would be.
class FormWindowTest : public testing::Test {
  protected:
    FormWindowTest() {
        core::App().Path = Utf8(AppFolder());
        core::App().EXEName = "Kelvora";
        window_ = std::make_unique<FormTimerWindow>(messageBox_, [this] { programEnded_ = true; });
    }
    ~FormWindowTest() override {
        window_.reset();
        // An unloaded form ends the program's message loop; the next test has
        // one of its own.
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // Creates the window and raises its load event, as the program starts.
    void Start() {
        window_->Create();
        ASSERT_NE(window_->Handle(), nullptr);
        window_->LoadAndShow();
        ::UpdateWindow(window_->Handle());
        Pump();
    }
    // Handles the window's messages until `done` holds or two seconds pass.
    bool PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            DispatchPending(*window_);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    // Long enough for the window system to deliver what was sent to it.
    void Pump() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
        PumpUntil([&] { return std::chrono::steady_clock::now() > until; });
    }
    // A key pressed and released on the keyboard, as the user would.
    void PressKey(WORD key) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, input, sizeof(INPUT));
        Pump();
    }
    HWND Control(FormControl control) const { return window_->ControlHandle(control); }
    static std::wstring TextOf(HWND control) {
        wchar_t text[256] = {};
        ::GetWindowTextW(control, text, 256);
        return text;
    }
    static void SetTextOf(HWND control, const std::wstring& text) {
        ::SetWindowTextW(control, text.c_str());
    }
    // Selection start and end, in UTF-16 units.
    static std::pair<int, int> SelectionOf(HWND control) {
        DWORD start = 0, end = 0;
        ::SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    RECT ClientRectOf(HWND control) const {
        RECT rect;
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    std::filesystem::path AppFolder() const { return folder_.Path(); }
    std::filesystem::path DataFolder() const { return AppFolder() / "Data"; }

    TempFolder folder_;
    RecordingMessageBox messageBox_;
    bool programEnded_ = false;
    std::unique_ptr<FormTimerWindow> window_;
};

}  // namespace kelvora::win32::test
