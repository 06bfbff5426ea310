// Keys as the user presses them: Enter and Escape click the button from
// either field, Space clicks it when it has the focus, and a field that takes
// the focus selects its whole text.

#include <string>

#include "FormWindowFixture.h"
#include "win32/TimerControl.h"

namespace kelvora::win32::test {
namespace {

// KillTimer answers whether the timer was running; a running timer it ends is
// set again, so that the countdown goes on as before.
bool Timer1Running(HWND form) {
    if (::KillTimer(form, TimerControl::kId) == FALSE) return false;
    ::SetTimer(form, TimerControl::kId, TimerControl::kIntervalMs, nullptr);
    return true;
}

struct KeyCase {
    const char* name;
    FormControl focus;
    WORD key;
};

class KeyClicksTheButton : public FormWindowTest, public testing::WithParamInterface<KeyCase> {};

// Timer1 runs only while the countdown does.
TEST_P(KeyClicksTheButton, StartingAndThenStoppingTheCountdown) {
    const KeyCase& c = GetParam();
    Start();
    EXPECT_FALSE(Timer1Running(window_->Handle())) << "the load stops the form's timer";
    SetTextOf(Control(FormControl::txtMM), L"0");
    SetTextOf(Control(FormControl::txtSS), L"5");
    ::SetFocus(Control(c.focus));

    PressKey(c.key);
    EXPECT_TRUE(PumpUntil([&] { return window_->Logic().Running != 0; })) << "started";
    EXPECT_TRUE(Timer1Running(window_->Handle()));
    EXPECT_EQ(ReadBytes(DataFolder() / "TimerSet.txt"), "0,5\r\n");
    EXPECT_EQ(::GetFocus(), Control(FormControl::Command1)) << "a start puts the focus on it";

    ::SetFocus(Control(c.focus));
    PressKey(c.key);
    EXPECT_TRUE(PumpUntil([&] { return window_->Logic().Running == 0; })) << "stopped";
    EXPECT_FALSE(Timer1Running(window_->Handle()));
    EXPECT_EQ(::GetFocus(), Control(FormControl::txtMM)) << "a stop puts the focus on minutes";
    EXPECT_TRUE(messageBox_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyClicksTheButton,
    testing::Values(KeyCase{"EnterInMinutes", FormControl::txtMM, VK_RETURN},
                    KeyCase{"EnterInSeconds", FormControl::txtSS, VK_RETURN},
                    KeyCase{"EscapeInMinutes", FormControl::txtMM, VK_ESCAPE},
                    KeyCase{"EscapeInSeconds", FormControl::txtSS, VK_ESCAPE},
                    KeyCase{"SpaceOnTheButton", FormControl::Command1, VK_SPACE},
                    KeyCase{"EnterOnTheButton", FormControl::Command1, VK_RETURN}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(FormWindowTest, AFieldThatTakesTheFocusSelectsItsWholeText) {
    std::filesystem::create_directories(DataFolder());
    WriteBytes(DataFolder() / "TimerSet.txt", "12,34\r\n");
    Start();
    const HWND mm = Control(FormControl::txtMM);
    const HWND ss = Control(FormControl::txtSS);
    EXPECT_EQ(TextOf(mm), L"12");
    EXPECT_EQ(SelectionOf(mm), std::make_pair(0, 2)) << "focused by the load";
    PressKey(VK_TAB);
    EXPECT_EQ(SelectionOf(ss), std::make_pair(0, 2)) << "focused by Tab";
    PressKey('7');
    EXPECT_EQ(TextOf(ss), L"7") << "typing replaces the whole text";

    // The logic counts characters, the edit control UTF-16 units.
    for (const auto& [text, end] : {std::pair{L"", 0},
                                    {L"1\U0001F600"
                                     L"2",
                                     4}}) {
        ::SetFocus(ss);
        SetTextOf(mm, text);
        ::SetFocus(mm);
        EXPECT_EQ(SelectionOf(mm), std::make_pair(0, end));
    }
}

}  // namespace
}  // namespace kelvora::win32::test
