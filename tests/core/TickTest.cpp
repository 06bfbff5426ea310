#include "CoreFixture.h"
#include "core/RuntimeError.h"

namespace kelvora::test {
namespace {

class Tick : public CoreFixture {
protected:
    Tick() {
        WritePictures();
        ui.Load();
    }
    void Start(const char* minutes, const char* seconds) {
        ui.Type(minutes, seconds);
        ui.Click();
        ASSERT_EQ(ui.timer.Running, 1);
    }
    FakeFrontEnd ui;
};

TEST_F(Tick, ShowsTheRemainingTimeEachSecond) {
    const struct {
        const char* minutes;
        const char* seconds;
        const char* shownMM;  // after the first tick
        const char* shownSS;
    } table[] = {
        {"1", "0", "00", "59"},
        {"100", "1", "100", "00"},
        {"999", "0", "998", "59"},
        {"0", "61", "01", "00"},
        {"2", "5.5", "02", "05"},
    };
    for (const auto& row : table) {
        ui.timer.Running = 0;
        Start(row.minutes, row.seconds);
        ui.Tick();
        EXPECT_EQ(ui.txtMM.Text(), row.shownMM) << row.minutes << ":" << row.seconds;
        EXPECT_EQ(ui.txtSS.Text(), row.shownSS) << row.minutes << ":" << row.seconds;
        EXPECT_FALSE(ui.form.unloaded);
    }
    EXPECT_GT(ui.events.calls, 0) << "pending events run inside each tick";
}

TEST_F(Tick, TheLastTickShowsZeroSoundsTheAlarmAndCloses) {
    Start("0", "2");
    ui.Tick();
    EXPECT_FALSE(ui.form.unloaded);
    Window().placement.rcNormalPosition = {1, 2, 3, 4};
    ui.Tick();
    EXPECT_EQ(ui.txtMM.Text(), "00");
    EXPECT_EQ(ui.txtSS.Text(), "00");
    EXPECT_FALSE(ui.Timer1.Enabled());
    EXPECT_TRUE(ui.form.unloaded);
    EXPECT_NE(ReadBytes(ProfileFile()).find("Left=1\r\n"), std::string::npos)
        << "closing saves the placement";
    EXPECT_EQ(ReadBytes(SettingFile()), "0,2\r\n") << "the alarm leaves the setting as it was";
}

TEST_F(Tick, TicksBeforeAnyStartChangeNothing) {
    ui.Timer1.SetEnabled(true);
    ui.Tick();
    EXPECT_EQ(ui.timer.ElapsedSeconds, 0);
    EXPECT_EQ(ui.txtMM.Text(), "00");
    EXPECT_FALSE(ui.form.unloaded);
}

TEST_F(Tick, TypingDuringTheCountdownIsReplacedAtTheNextTick) {
    Start("5", "0");
    ui.txtMM.SetText("42");
    ui.Tick();
    EXPECT_EQ(ui.txtMM.Text(), "04");
    EXPECT_EQ(ui.txtSS.Text(), "59");
}

TEST_F(Tick, AStopClickInsideATickPreventsTheAlarm) {
    Start("0", "2");
    ui.Tick();
    ui.events.pending = [this] {
        ui.Type("0", "1");
        ui.Click();
    };
    ui.Tick();
    EXPECT_FALSE(ui.form.unloaded);
    EXPECT_EQ(ui.timer.Running, 0);
    EXPECT_FALSE(ui.Timer1.Enabled());
    EXPECT_EQ(ui.timer.ElapsedSeconds, 0);
    EXPECT_EQ(ReadBytes(SettingFile()), "0,1\r\n");
}

TEST_F(Tick, ARejectedClickInsideATickNeitherSoundsTheAlarmNorCloses) {
    Start("0", "3");
    ui.Tick();
    ui.events.pending = [this] {
        ui.Type("0", "0");
        ui.Click();
    };
    ui.Tick();
    EXPECT_FALSE(ui.form.unloaded);
    EXPECT_EQ(ui.timer.TotalSeconds, 3);
    ASSERT_EQ(ui.messageBox.shown.size(), 1u);
    EXPECT_EQ(ui.messageBox.shown[0].text, "分：秒の設定をしてください。");
    ui.Tick();
    EXPECT_TRUE(ui.form.unloaded) << "the accepted countdown still ends on time";
}

TEST_F(Tick, ElapsedOverflowEscapesTheTick) {
    Start("0", "5");
    ui.timer.ElapsedSeconds = 2147483647;
    EXPECT_THROW(ui.Tick(), core::RuntimeError);
}

TEST_F(Tick, AnOverflowWhileShowingSkipsTheDisplayButNotTheAlarmCheck) {
    Start("0", "5");
    ui.timer.TotalSeconds = -2147483647 - 1 + 10;
    ui.timer.ElapsedSeconds = 20;
    const int before = ui.events.calls;
    ui.timer.ShowRemainTime();
    EXPECT_EQ(ui.events.calls, before) << "the failed display skipped the event pump";
}

TEST_F(Tick, AFieldSelectsItsWholeTextWhenItGetsTheFocus) {
    ui.txtSS.SetText("1～9");
    ui.txtSS.SetFocus();
    EXPECT_EQ(ui.txtSS.selStart, 0);
    EXPECT_EQ(ui.txtSS.selLength, 3) << "characters, not bytes";
    ui.txtMM.SetText("");
    ui.txtMM.SetFocus();
    EXPECT_EQ(ui.txtMM.selStart, 0);
    EXPECT_EQ(ui.txtMM.selLength, 0);
}

}  // namespace
}  // namespace kelvora::test
