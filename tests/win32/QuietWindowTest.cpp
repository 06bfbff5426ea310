// What the window leaves running while nobody uses it, and the tooltips it
// shows without watching the fields' messages itself.

#include "FormWindowFixture.h"
#include "win32/TimerControl.h"
// Tooltips.
#include <commctrl.h>

namespace kelvora::win32::test {
namespace {

// KillTimer answers whether the timer was running; a running timer it ends is
// set again, so that the countdown goes on as before.
bool Timer1Running(HWND form) {
    if (::KillTimer(form, TimerControl::kId) == FALSE) return false;
    ::SetTimer(form, TimerControl::kId, TimerControl::kIntervalMs, nullptr);
    return true;
}

TEST_F(FormWindowTest, Timer1RunsOnlyWhileTheCountdownDoes) {
    Start();
    const HWND form = window_->Handle();
    EXPECT_FALSE(Timer1Running(form)) << "the load stops the timer the form was created with";

    SetTextOf(Control(FormControl::txtMM), L"1");
    SetTextOf(Control(FormControl::txtSS), L"0");
    PressKey(VK_RETURN);
    EXPECT_TRUE(Timer1Running(form)) << "started";
    PressKey(VK_RETURN);
    EXPECT_FALSE(Timer1Running(form)) << "stopped";
}

TEST_F(FormWindowTest, APointerRestingOnAFieldShowsItsTip) {
    Start();
    const HWND tooltip = window_->TooltipHandle();
    struct Field {
        FormControl control;
        const char* name;
    };
    for (const auto& [field, name] :
         {Field{FormControl::txtMM, "txtMM"}, Field{FormControl::txtSS, "txtSS"}}) {
        RECT rect;
        ::GetWindowRect(Control(field), &rect);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx =
            ::MulDiv((rect.left + rect.right) / 2, 65536, ::GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy =
            ::MulDiv((rect.top + rect.bottom) / 2, 65536, ::GetSystemMetrics(SM_CYSCREEN));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof(input));

        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        const auto showsTipOfField = [&] {
            return ::IsWindowVisible(tooltip) &&
                   ::SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0,
                                  reinterpret_cast<LPARAM>(&tool)) != 0 &&
                   tool.uId == reinterpret_cast<UINT_PTR>(Control(field));
        };
        EXPECT_TRUE(PumpUntil(showsTipOfField)) << name;
    }
}

}  // namespace
}  // namespace kelvora::win32::test
