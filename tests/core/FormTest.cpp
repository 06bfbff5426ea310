// The countdown window through its events, on real files in a folder of its
// own: the click's limits and messages, the pictures, and start-up with every
// kind of setting and profile file. The countdown itself, the alarm and the
// placement saved at close are the schedule property's (FormPropertyTest).

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/App.h"
#include "core/FileNumbers.h"
#include "core/Numbers.h"
#include "platform/FileText.h"

namespace kelvora::test {
namespace {

using namespace std::string_literals;

const std::string kSubscript = " [48 設定ファイル読込み: インデックスが有効範囲にありません。]";
const std::string kInfo = " [64 Kelvora: ", kMismatch = " [0 Kelvora: 型が一致しません。]",
                  kOverflow = " [0 Kelvora: オーバーフローしました。]";

// What the user sees after an event, in one line: the fields, whether the
// countdown runs (and its timer ticks), the focus with the field's selection,
// the messages shown, and whether the window closed.
std::string Seen(const FakeFrontEnd& ui) {
    std::string seen = ui.Shows() + (ui.timer.Running ? " running" : " stopped");
    seen += (ui.enabled ? "+timer " : " ") + ui.focus;
    const FakeTextBox& f = ui.focus == "txtSS" ? ui.txtSS : ui.txtMM;
    const std::string selection = std::to_string(f.selStart) + "," + std::to_string(f.selLength);
    if (ui.focus.starts_with("txt")) seen += "(" + selection + ")";
    return seen + ui.messages + (ui.unloaded ? " closed" : "");
}

class Form : public ::testing::Test {
  protected:
    // The data folder as the package ships it, with the button's pictures.
    Form() {
        core::App().Path = Utf8(app);
        core::App().EXEName = "Kelvora";
        std::filesystem::create_directories(data);
        WriteBytes(data / "button_go.gif", "GIF89a go");
        WriteBytes(data / "button_stop.gif", "GIF89a stop");
        ResetWindow();
    }
    TempFolder folder;
    std::filesystem::path app = folder / "app", data = app / "Data";
    std::filesystem::path setting = data / "TimerSet.txt";
};

// A start click with what the user typed, then a tick over "42" typed into
// the minutes: a rejected setting starts nothing, so the tick changes nothing.
TEST_F(Form, ClickAcceptsASettingOrSaysWhichFieldToCorrect) {
    const std::string running = " running+timer Command1", mm = "00:00 stopped txtMM(0,2)" + kInfo,
                      total = mm + "分・秒の設定は1～999です。]",
                      minutes = mm + "分の設定は1～999です。]",
                      seconds = "00:00 stopped txtSS(0,2)" + kInfo + "秒の設定は1～999です。]",
                      none = kInfo + "分：秒の設定をしてください。]";
    // typed, seen after the click, saved, seen after a tick and how often it let events run
    // clang-format off
    const std::string rows[][5] = {
        {"2", "5.5", "2:5.5" + running, "2,6\r\n", "02:05 1"},
        {"-1", "90", "-1:90" + running, "-1,90\r\n", "00:29 1"},
        {"007", "2.4", "007:2.4" + running, "7,2\r\n", "07:01 1"},
        {"1000", "5000", minutes, "", "42:00 0"}, {"2147483648", "0", minutes, "", "42:00 0"},
        {"998", "61", total, "", "42:00 0"},
        {"5", "1000", seconds, "", "42:00 0"}, {"1", "1e20", seconds, "", "42:00 0"},
        {"", "", ": stopped txtMM(0,0)" + none, "", "42: 0"},
        {"0", "0", "0:0 stopped txtMM(0,1)" + none, "", "42:0 0"},
        {"１２", "cd", "１２:cd stopped txtMM(0,2)" + none, "", "42:cd 0"},
        {"-1", "30", "-1:30 stopped txtMM(0,2)" + none, "", "42:30 0"},
        {"-2147483648", "0", "-2147483648:0 stopped Command1", "", "42:0 0"}};  // beyond 32 bits
    // clang-format on
    for (const auto& [typedMM, typedSS, seen, saved, ticked] : rows) {
        std::filesystem::remove(setting);
        FakeFrontEnd ui;
        ui.Load();  // which leaves txtMM selected, (0,2)
        ui.Type(typedMM, typedSS);
        ui.Click();
        EXPECT_EQ(Seen(ui), seen);
        EXPECT_EQ(ReadBytes(setting), saved);
        const bool accepted = !saved.empty();
        EXPECT_EQ(ui.picture, accepted ? Utf8(data / "button_stop.gif") : "builtin:go");
        EXPECT_EQ(ui.timer.TotalSeconds, accepted ? ui.timer.Minutes * 60 + ui.timer.Seconds : 0);
        // Fields put back to "00" have both members cleared, whichever failed.
        EXPECT_EQ(ui.txtMM.text == "00" ? ui.timer.Minutes | ui.timer.Seconds : 0, 0) << seen;
        ui.txtMM.text = "42";
        ui.Tick();
        EXPECT_EQ(ui.Shows() + " " + std::to_string(ui.pumped), ticked) << seen;
    }
}

// A picture that cannot be shown is no obstacle: the button shows the one
// built in for its state, and the file again once it is mended. (What a stop
// saves and a start resumes from is the schedule property's.)
TEST_F(Form, APictureThatCannotBeShownGivesWayToTheBuiltInOne) {
    std::filesystem::remove(data / "button_stop.gif");
    WriteBytes(data / "button_go.gif", "not a picture");
    FakeFrontEnd ui;
    ui.Load(), ui.Type("1", "30"), ui.Click();
    std::string seen = ui.picture;
    ui.Click(), seen += " " + ui.picture;
    WriteBytes(data / "button_go.gif", "GIF89a go"), ui.Click(), ui.Click();
    EXPECT_EQ(seen + " " + ui.picture, "builtin:stop builtin:go " + Utf8(data / "button_go.gif"));
}

TEST_F(Form, StartUpReadsTheSettingFileOrSaysWhatIsWrongWithIt) {
    const std::string digits(1 << 20, '5');
    // Bytes that are no text in the files' encoding (UTF-8 here, the ANSI code
    // page on Windows) come out as the system decodes them.
    const auto decoded = [](const char* bytes) { return platform::FileTextToUtf8(bytes); };
    // file, seen at start-up
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"5,30\r\n", "05:30"}, {"0,5\r\n", "00:05"}, {"120,0\r\n", "120:00"},
        {"-1,100\r\n", "-01:100"}, {"\"12\",\"34\"\r\n", "12:34"}, {"7,8,9\r\n", "07:08"},
        {" 5 , 30\r\n", "05:30"}, {"5,\r\n", "05:"}, {"abc,def\r\n", "abc:def"},
        {"5,30", "05:30"}, {"2.5,3.5\r\n", "03:04"}, {"5\0,3\0\x30\r\n"s, "5:3"},
        {"\xff\xfe,5\r\n", decoded("\xff\xfe") + ":05"}, {"5,3\xE3\x81", "05:" + decoded("3\xE3\x81")},
        {"", "000:00 [48 設定ファイル読込み: ファイルにこれ以上データがありません。]"},
        {"\r\n5,30\r\n", "000:00" + kSubscript}, {"5\r\n", "05:00" + kSubscript},
        {"\0\0\0\0"s, ":00" + kSubscript}, {digits, digits.substr(0, 32767) + ":00" + kSubscript}};
    // clang-format on
    for (const auto& [bytes, seen] : rows) {
        WriteBytes(setting, bytes);
        FakeFrontEnd ui;
        ui.Load();
        EXPECT_EQ(ui.Shows() + ui.messages, seen);
        // Start-up goes on after a handled failure, and leaves no file open.
        EXPECT_EQ(ui.caption + ui.focus + std::to_string(core::FreeFile()), "  KelvoratxtMM1");
        EXPECT_EQ(ReadBytes(setting), bytes);
    }
}

// No setting file at the first start (the data folder is made, and nothing
// written in it before a click or close); a folder or a pipe (reading it
// would wait for a writer) in its place, a data folder that is a file:
// start-up offers zero without a word, and a setting that cannot be saved
// still starts and stops.
TEST_F(Form, ASettingFileThatIsNoFileOffersZeroAndTheWindowStillWorks) {
    for (const int kind : {3, 0, 1, 2}) {
        std::filesystem::remove_all(kind == 3 ? data : setting);
        if (kind == 0) std::filesystem::create_directory(setting);
#ifndef _WIN32
        if (kind == 1) ::mkfifo(setting.c_str(), 0600);
#endif
        if (kind == 2) std::filesystem::remove_all(data), WriteBytes(data, "not a folder");
        FakeFrontEnd ui;
        ui.Load();
        EXPECT_EQ(Seen(ui) + ui.caption, "00:00 stopped txtMM(0,2)  Kelvora");
        EXPECT_TRUE(window.topmost && (kind != 3 || std::filesystem::is_empty(data)));
        ui.Type("1", "30"), ui.Click(), ui.Tick(), ui.Click(), ui.Unload();
        EXPECT_EQ(Seen(ui) + ui.caption, "01:29 stopped txtMM(0,2) closed  Kelvora") << kind;
    }
    EXPECT_EQ(ReadBytes(data), "not a folder");
}

TEST_F(Form, StartUpAppliesTheSavedPlacementOrLeavesTheWindowAlone) {
    const std::string unchanged = "10,20,130,80,1,";
    // profile, placement and messages
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"[WinPos]\r\nLeft=100\r\nRight=300\r\nTop=50\r\nBottom=150\r\nshowCmd=2\r\n", "100,50,300,150,2,"},
        {"; hand-written\r\n[winpos]\r\n  LEFT = 200 \r\n", "200,20,130,80,1,"},
        {"[WinPos]\r\nLeft=120\r\nTop=abc\r\n", unchanged + kMismatch},
        {"[WinPos]\r\nLeft=99999999999\r\n", unchanged + kOverflow}};
    // clang-format on
    WriteBytes(setting, "5,30\r\n");
    for (const auto& [profile, seen] : rows) {
        ResetWindow();
        WriteBytes(data / "Kelvora.ini", profile);
        FakeFrontEnd ui;
        ui.Load();
        const auto& [l, t, r, b] = window.placement.rcNormalPosition;
        std::string placed;
        for (int v : {l, t, r, b, int(window.placement.showCmd)}) placed += std::to_string(v) + ",";
        EXPECT_EQ(placed + ui.messages, seen);
        // A failed load reads no setting and says so in the caption.
        EXPECT_EQ(ui.Shows() + ui.caption, ui.messages.empty()
                                               ? "05:30  Kelvora"
                                               : "000:00****フォームの初期処理エラー****");
    }
}

}  // namespace
}  // namespace kelvora::test
