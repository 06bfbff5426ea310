// The countdown window through its events, on real files in a folder of its
// own: the click's limits and messages, the tick and the alarm, start-up with
// every kind of setting and profile file, and the placement saved at close.

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/App.h"
#include "core/FileNumbers.h"

namespace kelvora::test {
namespace {

const char* const kMinutes = "分の設定は1～999です。";
const char* const kSeconds = "秒の設定は1～999です。";
const char* const kNoSetting = "分：秒の設定をしてください。";
const char* const kTotal = "分・秒の設定は1～999です。";
const char* const kSubscript = "インデックスが有効範囲にありません。";
const char* const kMismatch = "型が一致しません。";
const char* const kOverflow = "オーバーフローしました。";
const char* const kLoadFailed = "****フォームの初期処理エラー****";

int Characters(const std::string& utf8) {
    int count = 0;
    for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

class Form : public ::testing::Test {
  protected:
    Form() {
        core::App().Path = Utf8(app);
        core::App().EXEName = "Kelvora";
        MakeData();
        ResetWindow();
    }
    // The data folder as the package ships it, with the button's pictures.
    void MakeData() const {
        std::filesystem::create_directories(data);
        WriteBytes(data / "button_go.gif", "GIF89a go");
        WriteBytes(data / "button_stop.gif", "GIF89a stop");
    }
    static void Start(FakeFrontEnd& ui, const char* minutes, const char* seconds) {
        ui.Load();
        ui.Type(minutes, seconds);
        ui.Click();
        ASSERT_EQ(ui.timer.Running, 1);
    }
    TempFolder folder;
    std::filesystem::path app = folder / "app", data = app / "Data", setting = data / "TimerSet.txt";
};

TEST_F(Form, ClickAcceptsASettingOrSaysWhichFieldToCorrect) {
    const struct {
        const char *minutes, *seconds;
        const char* message;  // null: accepted; empty: the click ends silently
        const char *focus, *shown, *saved;
    } rows[] = {
        {"999", "0", nullptr, "Command1", "999:0", "999,0\r\n"},
        {"0", "999", nullptr, "Command1", "0:999", "0,999\r\n"},
        {"-1", "90", nullptr, "Command1", "-1:90", "-1,90\r\n"},
        {"007", "2.4", nullptr, "Command1", "007:2.4", "7,2\r\n"},
        {"", "30", nullptr, "Command1", ":30", "0,30\r\n"},
        {"x", "5", nullptr, "Command1", "x:5", "0,5\r\n"},
        {"999", "1", kTotal, "txtMM", "00:00", ""},
        {"998", "61", kTotal, "txtMM", "00:00", ""},
        {"1000", "5000", kMinutes, "txtMM", "00:00", ""},
        {"5", "1000", kSeconds, "txtSS", "00:00", ""},
        {"2147483648", "0", kMinutes, "txtMM", "00:00", ""},
        {"1", "1e20", kSeconds, "txtSS", "00:00", ""},
        {"", "", kNoSetting, "txtMM", ":", ""},
        {"0", "0", kNoSetting, "txtMM", "0:0", ""},
        {"ab", "cd", kNoSetting, "txtMM", "ab:cd", ""},
        {"-1", "30", kNoSetting, "txtMM", "-1:30", ""},
        {"-2147483648", "0", "", "Command1", "-2147483648:0", ""},  // a total beyond 32 bits
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.minutes) + ":" + row.seconds);
        std::filesystem::remove(setting);
        FakeFrontEnd ui;
        ui.Load();
        ui.focus = "Command1";
        ui.Type(row.minutes, row.seconds);
        ui.Click();
        const bool accepted = row.message == nullptr;
        EXPECT_EQ(ui.Shows(), row.shown);
        EXPECT_EQ(ui.timer.Running, accepted ? 1 : 0);
        EXPECT_EQ(ui.enabled, accepted);
        EXPECT_EQ(ui.focus, row.focus);
        EXPECT_EQ(ui.picture, accepted ? Utf8(data / "button_stop.gif") : "builtin:go");
        EXPECT_EQ(ReadBytes(setting), row.saved);
        EXPECT_EQ(ui.Messages(), accepted ? "" : row.message);
        if (accepted || *row.message == '\0') continue;
        EXPECT_EQ(ui.shown[0].style, core::kInformation);
        EXPECT_EQ(ui.shown[0].title, "Kelvora");
        const FakeTextBox& field = std::string(row.focus) == "txtMM" ? ui.txtMM : ui.txtSS;
        EXPECT_EQ(field.selStart, 0);
        EXPECT_EQ(field.selLength, Characters(field.text));
        EXPECT_EQ(ui.timer.TotalSeconds, 0) << "a rejected total never becomes the countdown's";
        if (std::string(row.shown) == "00:00") {
            EXPECT_EQ(ui.timer.Minutes | ui.timer.Seconds, 0) << "both are cleared, whichever failed";
        }
    }
}

TEST_F(Form, StopKeepsTheRemainingTimeAndTheNextStartOrStartUpResumes) {
    std::filesystem::remove(data / "button_stop.gif");
    WriteBytes(data / "button_go.gif", "not a picture");
    FakeFrontEnd ui;
    Start(ui, "1", "30");
    EXPECT_EQ(ui.picture, "builtin:stop") << "a picture that cannot be shown is no obstacle";
    for (int i = 0; i < 25; ++i) ui.Tick();
    ui.Click();  // stop at 1:05
    EXPECT_EQ(ui.timer.Running, 0);
    EXPECT_FALSE(ui.enabled);
    EXPECT_EQ(ReadBytes(setting), "1,5\r\n");
    EXPECT_EQ(ui.picture, "builtin:go");
    EXPECT_EQ(ui.focus, "txtMM");
    EXPECT_EQ(ui.txtMM.selLength, 2);
    ui.Click();  // start again
    ui.Tick();
    EXPECT_EQ(ui.Shows(), "01:04");
    FakeFrontEnd next;
    next.Load();
    EXPECT_EQ(next.Shows(), "01:05");
}

TEST_F(Form, EachTickShowsTheRemainingTimeOverWhatWasTyped) {
    const char* const rows[][3] = {{"1", "0", "00:59"},   {"100", "1", "100:00"},
                                   {"999", "0", "998:59"}, {"0", "61", "01:00"},
                                   {"2", "5.5", "02:05"}};
    for (const auto& [minutes, seconds, shown] : rows) {
        FakeFrontEnd ui;
        Start(ui, minutes, seconds);
        ui.txtMM.text = "42";
        ui.Tick();
        EXPECT_EQ(ui.Shows(), shown);
        EXPECT_EQ(ui.pumped, 1) << "pending events run inside the tick";
        EXPECT_FALSE(ui.unloaded);
    }
}

TEST_F(Form, TheLastTickShowsZeroSoundsTheAlarmAndClosesSavingThePlacement) {
    FakeFrontEnd ui;
    ui.Load();
    ui.Tick();  // before any start: nothing happens
    EXPECT_EQ(ui.pumped, 0);
    Start(ui, "0", "2");
    ui.Tick();
    EXPECT_FALSE(ui.unloaded);
    Window().placement.rcNormalPosition = {1, 2, 3, 4};
    ui.Tick();
    EXPECT_EQ(ui.Shows(), "00:00");
    EXPECT_FALSE(ui.enabled);
    EXPECT_TRUE(ui.unloaded);
    EXPECT_NE(ReadBytes(data / "Kelvora.ini").find("Left=1\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(setting), "0,2\r\n");
    EXPECT_EQ(ui.timer.SoundFile, Utf8(data / "notify.wav"));
    ui.timer.ElapsedSeconds = 2147483647;
    EXPECT_ANY_THROW(ui.Tick()) << "an overflow leaves the tick for the uncaught-error report";
}

TEST_F(Form, ClicksDuringATickLetTheCountdownRunOnOrStopIt) {
    FakeFrontEnd ui;
    Start(ui, "0", "4");
    for (const char* typed : {"999:1", "000:0", "000:1"}) {  // rejected, rejected, a stop
        ui.pending = [&] {
            ui.Type(std::string(typed, 3), typed + 4);
            ui.Click();
        };
        ui.Tick();
    }
    EXPECT_EQ(ui.Messages(), std::string(kTotal) + " | " + kNoSetting);
    EXPECT_FALSE(ui.unloaded) << "the stop came inside the last tick";
    EXPECT_FALSE(ui.enabled);
    EXPECT_EQ(ui.timer.TotalSeconds, 1);
    EXPECT_EQ(ReadBytes(setting), "0,1\r\n");
}

TEST_F(Form, FirstStartCreatesTheDataFolderAndOffersZero) {
    std::filesystem::remove_all(data);
    FakeFrontEnd ui;
    ui.Load();
    EXPECT_TRUE(std::filesystem::is_empty(data)) << "nothing is written before a click or close";
    EXPECT_EQ(ui.Shows() + ui.Messages(), "00:00");
    EXPECT_FALSE(ui.enabled);
    EXPECT_EQ(ui.focus, "txtMM");
    EXPECT_EQ(ui.txtMM.selLength, 2);
    EXPECT_EQ(ui.caption, "  Kelvora");
    EXPECT_EQ(Window().calls, (std::vector<std::string>{"topmost", "get", "set"}));
    EXPECT_EQ(Window().placement.rcNormalPosition.left, 10);

    core::App().Path = Utf8(app / "missing" / "deeper");
    FakeFrontEnd failed;
    failed.Load();
    EXPECT_EQ(failed.caption, kLoadFailed);
    EXPECT_EQ(failed.Messages(), "パスが見つかりません。");
    EXPECT_EQ(failed.shown.at(0).style, core::kOkOnly);
    EXPECT_EQ(failed.Shows() + failed.focus, "000:00") << "the steps after the failure did not run";
}

TEST_F(Form, StartUpReadsTheSettingFileOrSaysWhatIsWrongWithIt) {
    using namespace std::string_literals;
    const std::string R = "\xEF\xBF\xBD", digits(1 << 20, '5');
    const struct {
        std::string bytes, shown, message;
    } rows[] = {
        {"5,30\r\n", "05:30", ""},          {"0,5\r\n", "00:05", ""},
        {"120,0\r\n", "120:00", ""},        {"-1,100\r\n", "-01:100", ""},
        {"\"12\",\"34\"\r\n", "12:34", ""}, {"7,8,9\r\n", "07:08", ""},
        {" 5 , 30\r\n", "05:30", ""},       {"5,\r\n", "05:", ""},
        {"abc,def\r\n", "abc:def", ""},     {"1,2\r\n3,4\r\n", "01:02", ""},
        {"5,30", "05:30", ""},              {"5,30\n7,8", "05:30", ""},
        {"5,30\r7,8", "05:30", ""},         {"2.5,3.5\r\n", "03:04", ""},
        {"\xff\xfe,5\r\n", R + R + ":05", ""}, {"5,3\xE3\x81", "05:3" + R + R, ""},
        {"", "000:00", "ファイルにこれ以上データがありません。"},
        {"\r\n5,30\r\n", "000:00", kSubscript}, {"5\r\n", "05:00", kSubscript},
        {"\0\0\0\0"s, ":00", kSubscript},       {"5\0,3\0\x30\r\n"s, "5:3", ""},
        {digits, digits.substr(0, 32767) + ":00", kSubscript},
        {"5,30," + std::string(1 << 20, 'x'), "05:30", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.substr(0, 16));
        WriteBytes(setting, row.bytes);
        FakeFrontEnd ui;
        ui.Load();
        EXPECT_EQ(ui.Shows(), row.shown);
        EXPECT_EQ(ui.Messages(), row.message);
        if (!row.message.empty()) {
            EXPECT_EQ(ui.shown[0].style, core::kExclamation);
            EXPECT_EQ(ui.shown[0].title, "設定ファイル読込み");
        }
        EXPECT_EQ(ui.caption, "  Kelvora") << "start-up goes on after a handled failure";
        EXPECT_EQ(ui.txtMM.selLength, Characters(ui.txtMM.text));
        EXPECT_EQ(core::FreeFile(), 1) << "no file stays open";
        EXPECT_EQ(ReadBytes(setting), row.bytes);
    }
}

TEST_F(Form, ASettingFileThatIsNoFileOffersZeroAndTheWindowStillWorks) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a folder", [&] { std::filesystem::create_directory(setting); }},
#ifndef _WIN32
        {"a pipe, which would wait for a writer", [&] { ::mkfifo(setting.c_str(), 0600); }},
#endif
        {"a data folder that is a file", [&] {
             std::filesystem::remove_all(data);
             WriteBytes(data, "not a folder");
         }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(data);
        MakeData();
        make();
        FakeFrontEnd ui;
        Start(ui, "1", "30");
        ui.Tick();
        ui.Click();
        EXPECT_EQ(ui.Shows() + ui.Messages(), "01:29");
        EXPECT_EQ(ui.timer.Running, 0);
        std::int16_t cancel = 0;
        EXPECT_NO_THROW(ui.timer.Form_Unload(cancel));
    }
    EXPECT_EQ(ReadBytes(data), "not a folder");
}

TEST_F(Form, StartUpAppliesTheSavedPlacementOrLeavesTheWindowAlone) {
    const std::string blanks(5000, ' ');
    const struct {
        std::string profile;
        std::vector<int> placement;  // left, top, right, bottom, showCmd
        const char* message;
    } rows[] = {
        {"[WinPos]\r\nLeft=100\r\nRight=300\r\nTop=50\r\nBottom=150\r\nshowCmd=2\r\n",
         {100, 50, 300, 150, 2}, ""},
        {"; hand-written\r\n[winpos]\r\n  LEFT = 200 \r\n", {200, 20, 130, 80, 1}, ""},
        {"[WinPos]\r\nLeft=" + blanks + "120" + blanks + "\r\n", {120, 20, 130, 80, 1}, ""},
        {"[WinPos]\r\nLeft=120\r\nTop=abc\r\n", {10, 20, 130, 80, 1}, kMismatch},
        {"[WinPos]\r\nLeft=120\r\nTop=\r\n", {10, 20, 130, 80, 1}, kMismatch},
        {"[WinPos]\r\nLeft=99999999999\r\n", {10, 20, 130, 80, 1}, kOverflow},
        {"[WinPos]\r\nLeft=" + std::string(10000, '7') + "\r\n", {10, 20, 130, 80, 1}, kOverflow},
    };
    WriteBytes(setting, "5,30\r\n");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.profile.substr(0, 40));
        ResetWindow();
        WriteBytes(data / "Kelvora.ini", row.profile);
        FakeFrontEnd ui;
        ui.Load();
        const auto& [length, flags, showCmd, min, max, rect] = Window().placement;
        EXPECT_EQ(std::vector<int>({rect.left, rect.top, rect.right, rect.bottom, int(showCmd)}),
                  row.placement);
        EXPECT_EQ(ui.Messages(), row.message);
        const bool failed = *row.message != '\0';
        EXPECT_EQ(ui.caption, failed ? kLoadFailed : "  Kelvora");
        EXPECT_EQ(ui.txtMM.text, failed ? "000" : "05") << "a failed load reads no setting";
    }
}

TEST_F(Form, CloseSavesThePlacementUnderTheExecutablesNameForTheNextStartUp) {
    core::App().EXEName = "MyTimer";
    FakeFrontEnd ui;
    ui.Load();
    Window().placement.rcNormalPosition = {-8, 40, 90, 97};
    Window().placement.showCmd = 2;
    std::int16_t cancel = 0;
    ui.timer.Form_Unload(cancel);
    EXPECT_EQ(ReadBytes(data / "MyTimer.ini"),
              "[WinPos]\r\nLeft=-8\r\nRight=90\r\nTop=40\r\nBottom=97\r\nshowCmd=2\r\n");
    EXPECT_FALSE(std::filesystem::exists(setting)) << "closing saves no setting";
    ResetWindow();
    FakeFrontEnd next;
    next.Load();
    EXPECT_EQ(Window().placement.rcNormalPosition.bottom, 97);
    EXPECT_EQ(Window().placement.showCmd, 2u);
}

}  // namespace
}  // namespace kelvora::test
