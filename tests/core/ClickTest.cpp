#include "CoreFixture.h"

namespace kelvora::test {
namespace {

constexpr const char* kMinutesMessage = "分の設定は1～999です。";
constexpr const char* kSecondsMessage = "秒の設定は1～999です。";
constexpr const char* kNoSetting = "分：秒の設定をしてください。";
constexpr const char* kTotalMessage = "分・秒の設定は1～999です。";

class Click : public CoreFixture {
protected:
    Click() {
        WritePictures();
        ui.Load();
    }
    const ShownMessage* OnlyMessage() const {
        return ui.messageBox.shown.size() == 1 ? &ui.messageBox.shown[0] : nullptr;
    }
    FakeFrontEnd ui;
};

struct ClickCase {
    const char* name;
    const char* minutes;
    const char* seconds;
    const char* message;    // empty: accepted
    const char* focus;      // the field the user is sent to, when rejected
    const char* fieldsMM;   // fields afterwards
    const char* fieldsSS;
    const char* saved;      // setting file afterwards, when accepted
};

class ClickSetting : public Click, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickSetting, IsAcceptedOrRejectedWithTheRightMessage) {
    const ClickCase& c = GetParam();
    ui.Type(c.minutes, c.seconds);
    ui.Click();
    const bool accepted = std::string(c.message).empty();
    EXPECT_EQ(ui.txtMM.Text(), c.fieldsMM);
    EXPECT_EQ(ui.txtSS.Text(), c.fieldsSS);
    EXPECT_EQ(ui.timer.Running, accepted ? 1 : 0);
    EXPECT_EQ(ui.Timer1.Enabled(), accepted);
    if (accepted) {
        EXPECT_TRUE(ui.messageBox.shown.empty());
        EXPECT_EQ(ReadBytes(SettingFile()), c.saved);
        EXPECT_EQ(ui.focus, "Command1");
        EXPECT_EQ(ui.Command1.picture, ui.timer.StopImageFile);
    } else {
        ASSERT_NE(OnlyMessage(), nullptr);
        EXPECT_EQ(OnlyMessage()->text, c.message);
        EXPECT_EQ(OnlyMessage()->style, core::kInformation);
        EXPECT_EQ(OnlyMessage()->title, "Kelvora");
        EXPECT_FALSE(std::filesystem::exists(SettingFile()));
        EXPECT_EQ(ui.focus, c.focus);
        const FakeTextBox& field = std::string(c.focus) == "txtMM" ? ui.txtMM : ui.txtSS;
        EXPECT_EQ(field.selStart, 0);
        EXPECT_EQ(field.selLength, static_cast<int>(field.Text().size()));
        EXPECT_EQ(ui.timer.TotalSeconds, 0) << "a rejected total is never kept";
        if (std::string(c.fieldsMM) == "00") {
            EXPECT_EQ(ui.timer.Minutes, 0) << "whichever field failed, both members are cleared";
            EXPECT_EQ(ui.timer.Seconds, 0);
        }
        EXPECT_EQ(ui.Command1.picture, "builtin:go");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ClickSetting,
    ::testing::Values(
        ClickCase{"Longest", "999", "0", "", "", "999", "0", "999,0\r\n"},
        ClickCase{"SecondsOnly", "0", "999", "", "", "0", "999", "0,999\r\n"},
        ClickCase{"NegativeMinutes", "-1", "90", "", "", "-1", "90", "-1,90\r\n"},
        ClickCase{"LeadingZerosAndFraction", "007", "2.4", "", "", "007", "2.4", "7,2\r\n"},
        ClickCase{"EmptyMinutes", "", "30", "", "", "", "30", "0,30\r\n"},
        ClickCase{"WordsCountAsZero", "x", "5", "", "", "x", "5", "0,5\r\n"},
        ClickCase{"OneSecondTooMany", "999", "1", kTotalMessage, "txtMM", "00", "00", ""},
        ClickCase{"SecondsPushOverTheTop", "998", "61", kTotalMessage, "txtMM", "00", "00", ""},
        ClickCase{"MinutesAbove999", "1000", "5000", kMinutesMessage, "txtMM", "00", "00", ""},
        ClickCase{"SecondsAbove999", "5", "1000", kSecondsMessage, "txtSS", "00", "00", ""},
        ClickCase{"MinutesBeyond32Bits", "2147483648", "0", kMinutesMessage, "txtMM", "00", "00",
                  ""},
        ClickCase{"SecondsBeyond32Bits", "1", "1e20", kSecondsMessage, "txtSS", "00", "00", ""},
        ClickCase{"BothEmpty", "", "", kNoSetting, "txtMM", "", "", ""},
        ClickCase{"BothZero", "0", "0", kNoSetting, "txtMM", "0", "0", ""},
        ClickCase{"BothWords", "ab", "cd", kNoSetting, "txtMM", "ab", "cd", ""},
        ClickCase{"NegativeTotal", "-1", "30", kNoSetting, "txtMM", "-1", "30", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Click, StopKeepsTheRemainingTimeAndTheNextStartResumes) {
    ui.Type("1", "30");
    ui.Click();
    EXPECT_EQ(ui.timer.TotalSeconds, 90);
    for (int i = 0; i < 25; ++i) ui.Tick();
    EXPECT_EQ(ui.txtMM.Text(), "01");
    EXPECT_EQ(ui.txtSS.Text(), "05");

    ui.Click();  // stop
    EXPECT_EQ(ui.timer.Running, 0);
    EXPECT_FALSE(ui.Timer1.Enabled());
    EXPECT_EQ(ui.timer.TotalSeconds, 65);
    EXPECT_EQ(ui.timer.ElapsedSeconds, 0);
    EXPECT_EQ(ReadBytes(SettingFile()), "1,5\r\n");
    EXPECT_EQ(ui.Command1.picture, ui.timer.GoImageFile);
    EXPECT_EQ(ui.focus, "txtMM");
    EXPECT_EQ(ui.txtMM.selLength, 2);

    ui.Click();  // start again from what remained
    EXPECT_EQ(ui.timer.Running, 1);
    ui.Tick();
    EXPECT_EQ(ui.txtMM.Text(), "01");
    EXPECT_EQ(ui.txtSS.Text(), "04");

    // The next start-up offers the time that remained at the stop.
    FakeFrontEnd next;
    next.Load();
    EXPECT_EQ(next.txtMM.Text(), "01");
    EXPECT_EQ(next.txtSS.Text(), "05");
}

TEST_F(Click, RejectedTotalLeavesTheRunningCountdownAlone) {
    ui.Type("0", "10");
    ui.Click();
    ui.Tick();
    ui.Type("999", "1");
    ui.Click();
    EXPECT_EQ(ui.timer.TotalSeconds, 10);
    EXPECT_EQ(ui.timer.ElapsedSeconds, 1);
    EXPECT_TRUE(ui.Timer1.Enabled());
    for (int i = 0; i < 9; ++i) ui.Tick();
    EXPECT_TRUE(ui.form.unloaded) << "the alarm comes at the accepted total";
}

TEST_F(Click, EmptySettingDuringACountdownLetsItRunOn) {
    ui.Type("0", "5");
    ui.Click();
    ui.Tick();
    ui.Type("0", "0");
    ui.Click();
    EXPECT_EQ(ui.timer.TotalSeconds, 5);
    ui.Tick();
    EXPECT_EQ(ui.txtSS.Text(), "03");
    EXPECT_FALSE(ui.form.unloaded);
}

TEST_F(Click, MissingPicturesShowTheBuiltInOnesAndNeverBlockTheToggle) {
    std::filesystem::remove(DataFolder() / "button_stop.gif");
    WriteBytes(DataFolder() / "button_go.gif", "this is not a picture");
    ui.Type("3", "0");
    ui.Click();
    EXPECT_EQ(ui.timer.Running, 1);
    EXPECT_EQ(ui.Command1.picture, "builtin:stop");
    EXPECT_EQ(ui.focus, "Command1");
    ui.Click();
    EXPECT_EQ(ui.timer.Running, 0);
    EXPECT_FALSE(ui.Timer1.Enabled());
    EXPECT_EQ(ui.Command1.picture, "builtin:go");
    EXPECT_EQ(ui.focus, "txtMM");
}

TEST_F(Click, AnOverflowingTotalEndsTheClickSilently) {
    ui.Type("-2147483648", "0");
    ui.Click();
    EXPECT_TRUE(ui.messageBox.shown.empty());
    EXPECT_EQ(ui.timer.Running, 0);
    EXPECT_EQ(ui.timer.Minutes, -2147483647 - 1);
    EXPECT_FALSE(std::filesystem::exists(SettingFile()));
}

}  // namespace
}  // namespace kelvora::test
