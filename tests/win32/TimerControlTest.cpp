// Timer1 over a window timer: each tick of the countdown sets the wait for the
// next, which must replace the running one, and a disabled timer posts
// nothing until it is enabled again.

#include <gtest/gtest.h>

#include "win32/TimerControl.h"

namespace kelvora::win32::test {
namespace {

// Whether Timer1's WM_TIMER reaches `owner` within `milliseconds`.
bool TicksWithin(HWND owner, ULONGLONG milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    MSG message;
    do {
        if (::PeekMessageW(&message, owner, WM_TIMER, WM_TIMER, PM_REMOVE) &&
            message.wParam == TimerControl::kId) {
            return true;
        }
        ::Sleep(5);
    } while (::GetTickCount64() < deadline);
    return false;
}

TEST(TimerControlTest, SettingTheIntervalReplacesTheWaitOfARunningTimerOnly) {
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         nullptr, nullptr);
    TimerControl timer;
    timer.SetInterval(60'000);
    timer.Attach(owner);  // enabled since its creation: a minute's wait starts
    timer.SetInterval(10);
    EXPECT_TRUE(TicksWithin(owner, 5000)) << "the minute was replaced";
    timer.SetEnabled(false);
    timer.SetInterval(10);
    EXPECT_FALSE(TicksWithin(owner, 200)) << "a disabled timer stays off";
    timer.SetEnabled(true);
    EXPECT_TRUE(TicksWithin(owner, 5000));
    ::DestroyWindow(owner);
}

}  // namespace
}  // namespace kelvora::win32::test
