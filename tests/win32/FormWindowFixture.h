#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/App.h"
#include "win32/FormTimerWindow.h"

namespace kelvora::win32::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
  public:
    explicit TempFolder(const std::u8string& name = u8"kelvora-win32") {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() / (name + u8"-");
        path_ += std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Records the message boxes instead of waiting for a user to close them.
class RecordingMessageBox final : public core::MessageBox {
  public:
    void Show(const std::string& text, int, const std::string&) override { shown += text; }
    std::string shown;
};

// The real window with its real controls and the real logic, started from an
// executable folder of its own as Kelvora.exe would be.
class FormWindowTest : public testing::Test {
  protected:
    FormWindowTest() {
        core::App().Path = Utf8(folder_.Path());
        core::App().EXEName = "Kelvora";
        window_ = std::make_unique<FormTimerWindow>(messageBox_, [] {});
    }
    ~FormWindowTest() override {
        window_.reset();
        // The unloaded form ended the message loop; the next test has its own.
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

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
    void Pump() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
        PumpUntil([&] { return std::chrono::steady_clock::now() > until; });
    }
    // Keyboard or mouse input as the user gives it.
    void Send(INPUT input) {
        ::SendInput(1, &input, sizeof(input));
        Pump();
    }
    void PressKey(WORD key) {
        for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
            Send(input);
        }
    }
    void Mouse(DWORD flags, const RECT& on = {}) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = ::MulDiv(on.left + on.right, 32768, ::GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = ::MulDiv(on.top + on.bottom, 32768, ::GetSystemMetrics(SM_CYSCREEN));
        input.mi.dwFlags = flags;
        Send(input);
    }
    HWND Control(FormControl control) const { return window_->ControlHandle(control); }
    static std::wstring TextOf(HWND control) {
        wchar_t text[256] = {};
        ::GetWindowTextW(control, text, 256);
        return text;
    }
    static std::pair<int, int> SelectionOf(HWND edit) {
        DWORD start = 0, end = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    // In the form's client coordinates.
    RECT RectOf(HWND control) const {
        RECT rect;
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    TempFolder folder_;
    RecordingMessageBox messageBox_;
    std::unique_ptr<FormTimerWindow> window_;
};

}  // namespace kelvora::win32::test
