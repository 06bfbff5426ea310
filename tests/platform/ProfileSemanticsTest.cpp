// What the profile routines do for their callers, in terms that hold for the
// Windows routines and for our own alike. Only the routines and the standard
// library are used here, so the Windows build runs the same tests against the
// system's kernel32.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "TempFolder.h"
#include "core/ModuleWin32API.h"

namespace kelvora::platform::test {
namespace {

using win32api::GetPrivateProfileStringA;
using win32api::WritePrivateProfileStringA;

// Reads as the program does, with a buffer of `size` bytes, and checks that
// the routine ended the text with NUL where its count says.
std::string Read(const std::filesystem::path& file, const char* section, const char* key,
                 const char* fallback, std::uint32_t size = 256) {
    std::string buffer(size + 1, '#');
    const std::uint32_t count = GetPrivateProfileStringA(section, key, fallback, buffer.data(),
                                                         size, file.string().c_str());
    EXPECT_LT(count, size);
    EXPECT_EQ(buffer[count], '\0');
    return buffer.substr(0, count);
}

int Write(const std::filesystem::path& file, const char* section, const char* key,
          const char* value) {
    return WritePrivateProfileStringA(section, key, value, file.string().c_str());
}

std::size_t CountIgnoringCase(std::string text, std::string part) {
    for (std::string* s : {&text, &part}) {
        for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1)) ++count;
    return count;
}

struct ReadCase {
    const char* name;
    std::string_view file;
    const char* section;
    const char* key;
    const char* fallback;
    std::string_view expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValueOrGivesTheDefault) {
    const ReadCase& c = GetParam();
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, c.file);
    EXPECT_EQ(Read(file, c.section, c.key, c.fallback), c.expected);
}

const ReadCase kReadCases[] = {
    {"ValueHasNothingBehindIt", "[WinPos]\r\nLeft=120\r\nTop=50\r\n", "WinPos", "Left", "x", "120"},
    {"NegativeValue", "[WinPos]\r\nLeft=-8\r\n", "WinPos", "Left", "x", "-8"},
    {"SectionIgnoresCase", "[winpos]\r\nLeft=1\r\n", "WINPOS", "Left", "x", "1"},
    {"KeyIgnoresCase", "[WinPos]\r\nSHOWCMD=3\r\n", "WinPos", "showCmd", "x", "3"},
    {"BlanksAroundSectionName", "[ \tWinPos  ]\r\nLeft=1\r\n", "WinPos", "Left", "x", "1"},
    {"BlanksBeforeSectionLine", "  \t[WinPos]\r\nLeft=1\r\n", "WinPos", "Left", "x", "1"},
    {"BlanksAroundKeyAndValue", "[WinPos]\r\n  Left \t=\t 120  \r\n", "WinPos", "Left", "x", "120"},
    {"BlanksInsideValueKept", "[S]\r\nCaption= a  b \r\n", "S", "Caption", "x", "a  b"},
    {"DoubleQuotesRemoved", "[S]\r\nK=\"120\"\r\n", "S", "K", "x", "120"},
    {"SingleQuotesRemoved", "[S]\r\nK='120'\r\n", "S", "K", "x", "120"},
    {"BlanksInsideQuotesKept", "[S]\r\nK=\" 1 \"\r\n", "S", "K", "x", " 1 "},
    {"OnlyOnePairOfQuotesRemoved", "[S]\r\nK=\"\"1\"\"\r\n", "S", "K", "x", "\"1\""},
    {"MismatchedQuotesKept", "[S]\r\nK=\"1'\r\n", "S", "K", "x", "\"1'"},
    {"LoneQuoteKept", "[S]\r\nK=\"\r\n", "S", "K", "x", "\""},
    {"EmptyQuotesGiveEmptyText", "[S]\r\nK=\"\"\r\n", "S", "K", "x", ""},
    {"EmptyValueIsNotTheDefault", "[WinPos]\r\nLeft=\r\n", "WinPos", "Left", "9", ""},
    {"BlankValueIsEmpty", "[WinPos]\r\nLeft=   \r\n", "WinPos", "Left", "9", ""},
    {"FirstKeyWins", "[WinPos]\r\nLeft=1\r\nLeft=2\r\n", "WinPos", "Left", "x", "1"},
    {"FirstSectionWins", "[WinPos]\r\nLeft=1\r\n[WinPos]\r\nLeft=2\r\n", "WinPos", "Left", "x",
     "1"},
    {"KeyOfAnotherSectionIgnored", "[Other]\r\nLeft=1\r\n[WinPos]\r\nTop=2\r\n", "WinPos", "Left",
     "d", "d"},
    {"MissingSectionGivesDefault", "[Other]\r\nLeft=1\r\n", "WinPos", "Left", "100", "100"},
    {"MissingKeyGivesDefault", "[WinPos]\r\nTop=1\r\n", "WinPos", "Left", "100", "100"},
    {"LongerSectionNameIsAnother", "[WinPos2]\r\nLeft=1\r\n", "WinPos", "Left", "d", "d"},
    {"LongerKeyIsAnother", "[WinPos]\r\nLefty=1\r\n", "WinPos", "Left", "d", "d"},
    {"CommentLineIsNoKey", "[WinPos]\r\n;Left=5\r\n", "WinPos", "Left", "d", "d"},
    {"DefaultLosesTrailingBlanks", "[WinPos]\r\n", "WinPos", "Left", "abc  ", "abc"},
    {"NullDefaultIsEmpty", "[WinPos]\r\n", "WinPos", "Left", nullptr, ""},
    {"LfLineEnds", "[WinPos]\nLeft=1\nTop=2\n", "WinPos", "Top", "x", "2"},
    {"LastLineWithoutLineEnd", "[WinPos]\r\nLeft=120", "WinPos", "Left", "x", "120"},
    {"EmptyFileGivesDefault", "", "WinPos", "Left", "7", "7"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ProfileRead, MissingFileGivesDefault) {
    const TempFolder folder;
    EXPECT_EQ(Read(folder / "Kelvora.ini", "WinPos", "Left", "-8"), "-8");
    EXPECT_EQ(Read(folder / "missing" / "Kelvora.ini", "WinPos", "Left", "-8"), "-8");
    EXPECT_FALSE(std::filesystem::exists(folder / "Kelvora.ini"));
}

TEST(ProfileRead, LongValueIsCutToTheBufferLessOne) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    const std::string value(300, 'v');
    WriteBytes(file, "[S]\r\nK=" + value + "\r\nExact=" + value.substr(0, 255) + "\r\n");

    EXPECT_EQ(Read(file, "S", "K", "x"), value.substr(0, 255));
    EXPECT_EQ(Read(file, "S", "Exact", "x"), value.substr(0, 255));
    EXPECT_EQ(Read(file, "S", "K", "x", 4), "vvv");
    EXPECT_EQ(Read(file, "S", "Missing", value.c_str()), value.substr(0, 255));
}

TEST(ProfileWrite, CreatesTheFileWithNewKeysInTheOrderFirstWritten) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    const char* keys[] = {"Left", "Right", "Top", "Bottom", "showCmd"};
    for (const char* key : keys) EXPECT_NE(Write(file, "WinPos", key, "1"), 0);
    EXPECT_EQ(Read(file, "WinPos", "showCmd", "x"), "1");

    const std::string text = ReadBytes(file);
    EXPECT_EQ(CountIgnoringCase(text, "[WinPos]"), 1u);
    std::size_t previous = text.find("[WinPos]");
    for (const char* key : keys) {
        const std::size_t at = text.find(std::string(key) + "=1");
        ASSERT_NE(at, text.npos) << key;
        EXPECT_GT(at, previous) << key;
        previous = at;
    }
}

TEST(ProfileWrite, ReplacesAnExistingValueInPlaceAndAddsSections) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\r\nLEFT=1\r\nTop=2\r\n");
    EXPECT_NE(Write(file, "winpos", "Left", "120"), 0);

    EXPECT_EQ(Read(file, "WinPos", "Left", "x"), "120");
    EXPECT_EQ(Read(file, "WinPos", "Top", "x"), "2");
    const std::string text = ReadBytes(file);
    EXPECT_EQ(CountIgnoringCase(text, "left="), 1u);
    EXPECT_EQ(CountIgnoringCase(text, "[winpos]"), 1u);
    EXPECT_LT(text.find("=120"), text.find("Top=2"));

    EXPECT_NE(Write(file, "Other", "Left", "5"), 0);
    EXPECT_EQ(Read(file, "Other", "Left", "x"), "5");
    EXPECT_EQ(Read(file, "WinPos", "Left", "x"), "120");
    EXPECT_EQ(Read(file, "WinPos", "Top", "x"), "2");
}

TEST(ProfileWrite, ValuesReadBackAsTheReadRulesSay) {
    struct Case {
        const char* written;
        const char* read;
    };
    const Case cases[] = {
        {"-8", "-8"},
        {"", ""},
        {"a b", "a b"},
        {"  padded  ", "padded"},
        {"\"quoted\"", "quoted"},
        {"x=y", "x=y"},
    };
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_NE(Write(file, "S", "K", c.written), 0);
        EXPECT_EQ(Read(file, "S", "K", "default"), c.read);
    }
}

TEST(ProfileWrite, NullValueDeletesTheKeyAndNullKeyTheSection) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\r\nLeft=1\r\nTop=2\r\n[Other]\r\nTop=3\r\n");
    EXPECT_NE(Write(file, "WinPos", "Left", nullptr), 0);
    EXPECT_EQ(Read(file, "WinPos", "Left", "gone"), "gone");
    EXPECT_EQ(Read(file, "WinPos", "Top", "x"), "2");
    EXPECT_NE(Write(file, "WinPos", nullptr, nullptr), 0);
    EXPECT_EQ(Read(file, "WinPos", "Top", "gone"), "gone");
    EXPECT_EQ(Read(file, "Other", "Top", "x"), "3");
}

TEST(ProfileWrite, FailsWhereNoFileCanBe) {
    const TempFolder folder;
    EXPECT_EQ(Write(folder / "Data" / "Kelvora.ini", "WinPos", "Left", "1"), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "Data"));
    std::filesystem::create_directory(folder / "Kelvora.ini");
    EXPECT_EQ(Write(folder / "Kelvora.ini", "WinPos", "Left", "1"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Kelvora.ini"));
}

TEST(ProfileWrite, FailsOnAReadOnlyFileAndLeavesIt) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\r\nLeft=1\r\n");
    using std::filesystem::perms;
    std::filesystem::permissions(file,
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
#ifdef _WIN32
    // Wine run by root lets root write a read-only file, as Unix does; only
    // where the file really is read-only is there a refusal to test.
    if (std::ofstream(file, std::ios::binary | std::ios::app).is_open()) {
        GTEST_SKIP() << "this system lets the test write a read-only file";
    }
#endif

    EXPECT_EQ(Write(file, "WinPos", "Left", "2"), 0);
    EXPECT_EQ(ReadBytes(file), "[WinPos]\r\nLeft=1\r\n");

    std::filesystem::permissions(file, perms::owner_write, std::filesystem::perm_options::add);
}

}  // namespace
}  // namespace kelvora::platform::test
