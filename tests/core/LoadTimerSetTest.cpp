#include "CoreFixture.h"
#include "core/FileNumbers.h"

namespace kelvora::test {
namespace {

struct SettingFileCase {
    const char* name;
    std::string bytes;
    const char* minutes;  // fields afterwards
    const char* seconds;
    const char* message;  // description shown, or empty
};

class SettingFileReader : public CoreFixture,
                          public ::testing::WithParamInterface<SettingFileCase> {};

TEST_P(SettingFileReader, FillsTheFieldsOrSaysWhatIsWrong) {
    const SettingFileCase& c = GetParam();
    WriteSetting(c.bytes);
    FakeFrontEnd ui;
    ui.Load();
    EXPECT_EQ(ui.txtMM.Text(), c.minutes);
    EXPECT_EQ(ui.txtSS.Text(), c.seconds);
    if (std::string(c.message).empty()) {
        EXPECT_TRUE(ui.messageBox.shown.empty());
    } else {
        ASSERT_EQ(ui.messageBox.shown.size(), 1u);
        EXPECT_EQ(ui.messageBox.shown[0].text, c.message);
        EXPECT_EQ(ui.messageBox.shown[0].style, core::kExclamation);
        EXPECT_EQ(ui.messageBox.shown[0].title, "設定ファイル読込み");
    }
    // The load goes on after a handled failure, and no file stays open.
    EXPECT_EQ(ui.form.caption, "  Kelvora");
    EXPECT_EQ(ui.focus, "txtMM");
    EXPECT_EQ(core::FreeFile(), 1);
    // Reading never changes the file.
    EXPECT_EQ(ReadBytes(SettingFile()), c.bytes);
}

constexpr const char* kNone = "";
const char* const kPastEnd = "ファイルにこれ以上データがありません。";
const char* const kSubscript = "インデックスが有効範囲にありません。";

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingFileReader,
    ::testing::Values(
        SettingFileCase{"Plain", "5,30\r\n", "05", "30", kNone},
        SettingFileCase{"ZeroMinutes", "0,5\r\n", "00", "05", kNone},
        SettingFileCase{"ThreeDigits", "120,0\r\n", "120", "00", kNone},
        SettingFileCase{"Negative", "-1,100\r\n", "-01", "100", kNone},
        SettingFileCase{"Quoted", "\"12\",\"34\"\r\n", "12", "34", kNone},
        SettingFileCase{"ExtraElements", "7,8,9\r\n", "07", "08", kNone},
        SettingFileCase{"Blanks", " 5 , 30\r\n", "05", "30", kNone},
        SettingFileCase{"TrailingComma", "5,\r\n", "05", "", kNone},
        SettingFileCase{"Words", "abc,def\r\n", "abc", "def", kNone},
        SettingFileCase{"OnlyFirstLine", "1,2\r\n3,4\r\n", "01", "02", kNone},
        SettingFileCase{"NoLineEnd", "5,30", "05", "30", kNone},
        SettingFileCase{"LfLineEnd", "5,30\n", "05", "30", kNone},
        SettingFileCase{"Fraction", "2.5,3.5\r\n", "03", "04", kNone},
        SettingFileCase{"InvalidUtf8", "\xff\xfe,5\r\n", "\xEF\xBF\xBD\xEF\xBF\xBD", "05", kNone},
        SettingFileCase{"Empty", "", "000", "00", kPastEnd},
        SettingFileCase{"EmptyFirstLine", "\r\n5,30\r\n", "000", "00", kSubscript},
        SettingFileCase{"NoComma", "5\r\n", "05", "00", kSubscript}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CoreFixture, NoSettingFileOffersZeroWithoutCreatingOne) {
    MakeDataFolder();
    FakeFrontEnd ui;
    ui.Load();
    EXPECT_EQ(ui.txtMM.Text(), "00");
    EXPECT_EQ(ui.txtSS.Text(), "00");
    EXPECT_TRUE(ui.messageBox.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(SettingFile()));
}

}  // namespace
}  // namespace kelvora::test
