// Files that a crash, another program or a curious user may leave in the data
// folder. Each one is met with a message or the usual default, the fields stay
// of a size an entry field can hold, and the window keeps working afterwards.

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "CoreFixture.h"
#include "core/FileNumbers.h"
#include "core/FileSystem.h"
#include "core/ModuleIniFileInOut.h"
#include "core/Text.h"
#include "platform/FileText.h"

namespace kelvora::test {
namespace {

constexpr std::size_t kLongestFieldText = 32767;
constexpr std::size_t kFiftyMegabytes = std::size_t{50} << 20;
const std::string kSubscript = "インデックスが有効範囲にありません。";

std::string Decoded(std::string_view bytes) { return platform::FileTextToUtf8(bytes); }

bool IsWellFormedUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

class HostileFiles : public CoreFixture {
  protected:
    // What a start-up with no usable setting file shows: zero, and no word.
    static void ExpectZeroOfferedSilently(const FakeFrontEnd& ui) {
        EXPECT_EQ(ui.txtMM.Text(), "00");
        EXPECT_EQ(ui.txtSS.Text(), "00");
        EXPECT_TRUE(ui.messageBox.shown.empty());
    }

    // After whatever the files did, a typed setting still starts and stops the
    // countdown and is saved.
    void ExpectClickStillStartsAndStops(FakeFrontEnd& ui) {
        ui.messageBox.shown.clear();
        ui.Type("1", "30");
        ui.Click();
        EXPECT_EQ(ui.timer.Running, 1);
        EXPECT_TRUE(ui.Timer1.Enabled());
        ui.Tick();
        EXPECT_EQ(ui.txtMM.Text(), "01");
        EXPECT_EQ(ui.txtSS.Text(), "29");
        ui.Click();
        EXPECT_EQ(ui.timer.Running, 0);
        EXPECT_FALSE(ui.Timer1.Enabled());
        EXPECT_TRUE(ui.messageBox.shown.empty());
        EXPECT_EQ(core::FreeFile(), 1) << "no file stays open";
    }
};

struct SettingCase {
    const char* name;
    std::string bytes;
    std::string minutes;  // fields afterwards
    std::string seconds;
    std::string message;  // empty: none
};

class HostileSettingFile : public HostileFiles,
                           public ::testing::WithParamInterface<SettingCase> {};

TEST_P(HostileSettingFile, IsMetWithTheUsualReaderAndLeavesTheWindowWorking) {
    const SettingCase& c = GetParam();
    WritePictures();
    WriteSetting(c.bytes);
    FakeFrontEnd ui;
    ui.Load();
    EXPECT_EQ(ui.txtMM.Text(), c.minutes);
    EXPECT_EQ(ui.txtSS.Text(), c.seconds);
    if (c.message.empty()) {
        EXPECT_TRUE(ui.messageBox.shown.empty());
    } else {
        ASSERT_EQ(ui.messageBox.shown.size(), 1u);
        EXPECT_EQ(ui.messageBox.shown[0].text, c.message);
        EXPECT_EQ(ui.messageBox.shown[0].title, "設定ファイル読込み");
    }
    for (const FakeTextBox* field : {&ui.txtMM, &ui.txtSS}) {
        EXPECT_LE(static_cast<std::size_t>(core::CharacterCount(field->Text())), kLongestFieldText);
        EXPECT_TRUE(IsWellFormedUtf8(field->Text()));
        EXPECT_EQ(field->Text().find('\0'), std::string::npos);
    }
    EXPECT_EQ(ui.form.caption, "  Kelvora");
    EXPECT_EQ(core::FreeFile(), 1);
    ExpectClickStillStartsAndStops(ui);
    EXPECT_EQ(ReadBytes(SettingFile()), "1,29\r\n");
}

std::string Repeat(const std::string& text, std::size_t totalBytes) {
    std::string out;
    out.reserve(totalBytes);
    while (out.size() < totalBytes) out += text;
    out.resize(totalBytes);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileSettingFile,
    ::testing::Values(
        // Of a huge line only the start is read: the field gets no more text
        // than it could hold, and the missing seconds are reported as usual.
        SettingCase{"FiftyMegabyteLineOfDigits", std::string(kFiftyMegabytes, '5'),
                    std::string(kLongestFieldText, '5'), "00", kSubscript},
        SettingCase{"FiftyMegabyteLineOfLetters", std::string(kFiftyMegabytes, 'x'),
                    std::string(kLongestFieldText, 'x'), "00", kSubscript},
        // A valid start reads exactly as a short file does, whatever follows it.
        SettingCase{"ValidStartOfAFiftyMegabyteLine", "5,30," + Repeat("junk,", kFiftyMegabytes),
                    "05", "30", ""},
        // What a power loss can leave: the file's length, but only NUL bytes.
        SettingCase{"OnlyNulBytes", std::string(6, '\0'), "", "00", kSubscript},
        SettingCase{"NulInsideTheNumbers", std::string("5\0,3\0\x30\r\n", 8), "5", "3", ""},
        SettingCase{"NulAfterTheLine", std::string("5,30\r\n\0\0\0", 9), "05", "30", ""},
        // Bytes that are not text in the files' encoding (UTF-8 here, the ANSI
        // code page on Windows) come out as the platform decodes them, which
        // is well-formed text whatever they were: full-width digits in
        // Shift-JIS, a UTF-8 sequence cut short, an overlong comma.
        SettingCase{"ShiftJisDigits", "\x82\x54,\x82\x52\x82\x4f\r\n", Decoded("\x82\x54"),
                    Decoded("\x82\x52\x82\x4f"), ""},
        SettingCase{"Utf8CutShort", "5,3\xE3\x81", "05", Decoded("3\xE3\x81"), ""},
        SettingCase{"OverlongUtf8Comma", "5\xC0\xAC\x33\x30\r\n", Decoded("5\xC0\xAC\x33\x30"),
                    "00", kSubscript}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostileFiles, NotNumericFieldsFromTheFileAskForASettingOnClick) {
    WritePictures();
    WriteSetting("\x82\x54,\x82\x52\x82\x4f\r\n");
    FakeFrontEnd ui;
    ui.Load();
    ui.Click();
    ASSERT_EQ(ui.messageBox.shown.size(), 1u);
    EXPECT_EQ(ui.messageBox.shown[0].text, "分：秒の設定をしてください。");
    EXPECT_EQ(ui.timer.Running, 0);
}

TEST_F(HostileFiles, AHugeNumberFromTheFileIsRejectedOnClickLikeAnyAbove999) {
    WritePictures();
    WriteSetting(std::string(kFiftyMegabytes, '9'));
    FakeFrontEnd ui;
    ui.Load();
    ui.messageBox.shown.clear();
    ui.txtSS.SetText("0");
    ui.Click();
    ASSERT_EQ(ui.messageBox.shown.size(), 1u);
    EXPECT_EQ(ui.messageBox.shown[0].text, "分の設定は1～999です。");
    EXPECT_EQ(ui.txtMM.Text(), "00");
    EXPECT_EQ(ui.timer.Running, 0);
}

TEST_F(HostileFiles, ASettingFileThatIsAFolderOffersZeroAndIsNeverWrittenOver) {
    WritePictures();
    std::filesystem::create_directories(SettingFile());
    FakeFrontEnd ui;
    ui.Load();
    ExpectZeroOfferedSilently(ui);
    ExpectClickStillStartsAndStops(ui);
    EXPECT_TRUE(std::filesystem::is_directory(SettingFile()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DataFolder()), {}), 3)
        << "only the folder and the two pictures: no temporary file is left behind";
}

TEST_F(HostileFiles, ADataFolderThatIsAFileOffersZeroAndTheWindowStillWorks) {
    WriteBytes(DataFolder(), "not a folder");
    FakeFrontEnd ui;
    ui.Load();
    ExpectZeroOfferedSilently(ui);
    EXPECT_EQ(ui.form.caption, "  Kelvora");
    ExpectClickStillStartsAndStops(ui);
    EXPECT_EQ(ui.Command1.picture, "builtin:go");
    std::int16_t cancel = 0;
    EXPECT_NO_THROW(ui.timer.Form_Unload(cancel));
    EXPECT_EQ(ReadBytes(DataFolder()), "not a folder");
}

#ifndef _WIN32
// Names that open but never end: reading a pipe waits for a writer, and an
// endless device has no line end. Neither is a setting file.
TEST_F(HostileFiles, ASettingFileThatIsAPipeOrADeviceIsTakenAsMissing) {
    WritePictures();
    for (const char* kind : {"pipe", "endless device"}) {
        SCOPED_TRACE(kind);
        std::filesystem::remove(SettingFile());
        if (std::string(kind) == "pipe") {
            ASSERT_EQ(::mkfifo(SettingFile().c_str(), 0600), 0);
        } else {
            std::filesystem::create_symlink("/dev/zero", SettingFile());
        }
        FakeFrontEnd ui;
        ui.Load();
        ExpectZeroOfferedSilently(ui);
        ExpectClickStillStartsAndStops(ui);
        EXPECT_EQ(ReadBytes(SettingFile()), "1,29\r\n") << "a save puts a file in its place";
    }
}
#endif

// The placement section at the end of a profile holding many other lines.
std::string ProfileWithManyLines(std::size_t lines) {
    std::string text = "[Other]\r\n";
    for (std::size_t i = 0; i < lines; ++i) {
        text += "key" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
    }
    return text;
}

constexpr const char* kWinPos =
    "[WinPos]\r\nLeft=100\r\nRight=300\r\nTop=50\r\nBottom=150\r\nshowCmd=1\r\n";

TEST_F(HostileFiles, AProfileOfAHundredThousandLinesIsReadAndOnlyItsKeysChange) {
    MakeDataFolder();
    const std::string others = ProfileWithManyLines(100'000);
    WriteBytes(ProfileFile(), others + kWinPos);
    FakeFrontEnd ui;
    ui.Load();
    EXPECT_TRUE(ui.messageBox.shown.empty());
    const auto& rect = Window().placement.rcNormalPosition;
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.bottom, 150);

    ExpectClickStillStartsAndStops(ui);
    Window().placement.rcNormalPosition = {-8, 40, 90, 97};
    std::int16_t cancel = 0;
    ui.timer.Form_Unload(cancel);
    EXPECT_EQ(ReadBytes(ProfileFile()),
              others + "[WinPos]\r\nLeft=-8\r\nRight=90\r\nTop=40\r\nBottom=97\r\nshowCmd=1\r\n");
}

struct LongValueCase {
    const char* name;
    std::string profile;
    std::string message;  // the load's message, or empty
    std::int32_t left;    // the window's left edge after the load
};

class LongProfileValue : public HostileFiles,
                         public ::testing::WithParamInterface<LongValueCase> {};

// A value is read as at most 255 characters; what those say decides.
TEST_P(LongProfileValue, IsCutAndThenJudgedLikeAnyOtherValue) {
    const LongValueCase& c = GetParam();
    MakeDataFolder();
    WriteBytes(ProfileFile(), c.profile);
    FakeFrontEnd ui;
    ui.Load();
    EXPECT_EQ(Window().placement.rcNormalPosition.left, c.left);
    if (c.message.empty()) {
        EXPECT_TRUE(ui.messageBox.shown.empty());
        EXPECT_EQ(ui.form.caption, "  Kelvora");
    } else {
        ASSERT_EQ(ui.messageBox.shown.size(), 1u);
        EXPECT_EQ(ui.messageBox.shown[0].text, c.message);
        EXPECT_EQ(ui.form.caption, "****フォームの初期処理エラー****");
    }
    ExpectClickStillStartsAndStops(ui);

    // The next unload puts plain numbers in place of the placement keys and
    // leaves every other line as it was.
    std::int16_t cancel = 0;
    ui.timer.Form_Unload(cancel);
    const std::string saved = ReadBytes(ProfileFile());
    EXPECT_EQ(core::ReadIniString(core::FromPath(ProfileFile()), "WinPos", "Left", ""),
              std::to_string(Window().placement.rcNormalPosition.left));
    EXPECT_LT(saved.size(), c.profile.size() + 80) << "the keys are replaced, not added";
    const std::size_t other = c.profile.find("[Other]");
    if (other != std::string::npos) {
        EXPECT_NE(saved.find(c.profile.substr(other)), std::string::npos);
    }
    ResetFakeWindow();
    FakeFrontEnd next;
    next.Load();
    EXPECT_TRUE(next.messageBox.shown.empty());
}

const std::string kTenThousandDigits(10'000, '7');
const std::string kTenThousandLetters(10'000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, LongProfileValue,
    ::testing::Values(
        LongValueCase{"DigitsOverflow", "[WinPos]\r\nLeft=" + kTenThousandDigits + "\r\n",
                      "オーバーフローしました。", 10},
        LongValueCase{"LettersAreNoNumber", "[WinPos]\r\nLeft=" + kTenThousandLetters + "\r\n",
                      "型が一致しません。", 10},
        LongValueCase{
            "BlanksAroundANumber",
            "[WinPos]\r\nLeft=" + std::string(5000, ' ') + "120" + std::string(5000, ' ') + "\r\n",
            "", 120},
        LongValueCase{"InAnotherSection",
                      std::string(kWinPos) + "[Other]\r\nlong=" + kTenThousandLetters +
                          "\r\nmore=" + kTenThousandDigits + "\r\n",
                      "", 100}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora::test
