#include "FormWindowFixture.h"

#include <chrono>

#include "core/App.h"

namespace kelvora::win32::test {

FormWindowTest::FormWindowTest() {
    core::App().Path = Utf8(AppFolder());
    core::App().EXEName = "Kelvora";
    window_ = std::make_unique<FormTimerWindow>(messageBox_, [this] { programEnded_ = true; });
}

FormWindowTest::~FormWindowTest() {
    window_.reset();
    // An unloaded form ends the program's message loop; the next test has one
    // of its own.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void FormWindowTest::Start() {
    window_->Create();
    ASSERT_NE(window_->Handle(), nullptr);
    window_->LoadAndShow();
    ::UpdateWindow(window_->Handle());
    Pump();
}

bool FormWindowTest::PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        DispatchPending(*window_);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void FormWindowTest::Pump() {
    // Long enough for the window system to deliver what was sent to it.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    PumpUntil([&] { return std::chrono::steady_clock::now() > until; });
}

void FormWindowTest::PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
    Pump();
}

std::wstring FormWindowTest::TextOf(HWND control) const {
    wchar_t text[256] = {};
    ::GetWindowTextW(control, text, 256);
    return text;
}

void FormWindowTest::SetTextOf(HWND control, const std::wstring& text) {
    ::SetWindowTextW(control, text.c_str());
}

std::pair<int, int> FormWindowTest::SelectionOf(HWND control) const {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

RECT FormWindowTest::ClientRectOf(HWND control) const {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace kelvora::win32::test
