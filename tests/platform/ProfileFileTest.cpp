// Our own profile routines on real files: the bytes they leave, hostile files,
// and the atomic replacement. Linux only.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "TempFolder.h"
#include "core/ModuleWin32API.h"

namespace kelvora::platform::test {
namespace {

using namespace std::string_literals;
using win32api::GetPrivateProfileStringA;
using win32api::WritePrivateProfileStringA;

std::string Read(const std::filesystem::path& file, const char* section, const char* key,
                 const char* fallback) {
    char buffer[256];
    const std::uint32_t count =
        GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, file.c_str());
    return std::string(buffer, count);
}

int Write(const std::filesystem::path& file, const char* section, const char* key,
          const char* value) {
    return WritePrivateProfileStringA(section, key, value, file.c_str());
}

// Edits in section WinPos change only the line they are about, byte for byte.
TEST(ProfileFile, EditChangesOnlyTheLineItIsAbout) {
    const struct {
        const char* name;
        std::string before;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"ReplaceKeepsKeySpellingSpacingAndOtherLines",
         "; placement\r\n[Other]\r\nLeft = 7\r\n\r\n[WinPos]\r\n  left = 5  \r\nTop=2\r\n", "Left",
         "120", "; placement\r\n[Other]\r\nLeft = 7\r\n\r\n[WinPos]\r\n  left = 120\r\nTop=2\r\n"},
        {"ReplaceQuotedValue", "[WinPos]\r\nLeft=\"5\"\r\n", "Left", "120",
         "[WinPos]\r\nLeft=120\r\n"},
        {"ReplaceFirstOfTwoKeys", "[WinPos]\r\nLeft=1\r\nLeft=2\r\n", "Left", "3",
         "[WinPos]\r\nLeft=3\r\nLeft=2\r\n"},
        {"ReplaceInFirstOfTwoSections", "[WinPos]\r\nLeft=1\r\n[WinPos]\r\nLeft=2\r\n", "Left", "3",
         "[WinPos]\r\nLeft=3\r\n[WinPos]\r\nLeft=2\r\n"},
        {"ReplaceLastLineWithoutLineEnd", "[WinPos]\r\nLeft=1", "Left", "22",
         "[WinPos]\r\nLeft=22"},
        {"InsertAfterLastKeyBeforeBlankAndComment",
         "[WinPos]\r\nLeft=1\r\n\r\n; next\r\n[Other]\r\nx=1\r\n", "Top", "2",
         "[WinPos]\r\nLeft=1\r\nTop=2\r\n\r\n; next\r\n[Other]\r\nx=1\r\n"},
        {"InsertIntoEmptySection", "[WinPos]\r\n[Other]\r\n", "Top", "2",
         "[WinPos]\r\nTop=2\r\n[Other]\r\n"},
        {"AppendSection", "[Other]\r\nx=1\r\n", "Left", "1",
         "[Other]\r\nx=1\r\n[WinPos]\r\nLeft=1\r\n"},
        {"AppendSectionAfterLastLineWithoutLineEnd", "[Other]\r\nx=1", "Left", "1",
         "[Other]\r\nx=1\r\n[WinPos]\r\nLeft=1\r\n"},
        {"EmptyFileGetsCrLf", "", "Left", "1", "[WinPos]\r\nLeft=1\r\n"},
        {"LfFileReplace", "[WinPos]\nLeft=1\nTop=2\n", "Left", "9", "[WinPos]\nLeft=9\nTop=2\n"},
        {"LfFileAppendSection", "[Other]\nx=1", "Left", "1", "[Other]\nx=1\n[WinPos]\nLeft=1\n"},
        {"MixedLineEndsFollowTheFirst", "[WinPos]\nLeft=1\r\n", "Top", "2",
         "[WinPos]\nLeft=1\r\nTop=2\n"},
        {"ByteOrderMarkKept", "\xEF\xBB\xBF[WinPos]\r\nLeft=1\r\n", "Left", "2",
         "\xEF\xBB\xBF[WinPos]\r\nLeft=2\r\n"},
        {"KeysBeforeFirstSectionUntouched", "Left=9\r\n[WinPos]\r\n", "Left", "1",
         "Left=9\r\n[WinPos]\r\nLeft=1\r\n"},
        {"OddBytesElsewhereKept", "\0\xff junk\r\n[WinPos]\r\nLeft=1\r\n\x80=\x81\r\n\t\r\n"s,
         "Left", "2", "\0\xff junk\r\n[WinPos]\r\nLeft=2\r\n\x80=\x81\r\n\t\r\n"s},
        {"SameValueLeavesFileAlone", "[WinPos]\r\n Left = 1 \r\n", "Left", "1",
         "[WinPos]\r\n Left = 1 \r\n"},
        {"ValueWithBlanksOfItsOwnReplacesTheSpacing", "[WinPos]\r\nLeft= 5\r\n", "Left", " 5",
         "[WinPos]\r\nLeft= 5\r\n"},
        {"DeleteOnlyFirstOfTwoKeys", "[WinPos]\r\nLeft=1\r\nLeft=2\r\nTop=3\r\n", "LEFT", nullptr,
         "[WinPos]\r\nLeft=2\r\nTop=3\r\n"},
        {"DeleteMissingKeyChangesNothing", "[WinPos]\r\nTop=2", "Left", nullptr,
         "[WinPos]\r\nTop=2"},
        {"DeleteSectionUpToTheNext",
         "[A]\r\nx=1\r\n; c\r\n[WinPos]\r\nLeft=1\r\n; mine\r\n\r\n[B]\r\ny=2\r\n", nullptr,
         nullptr, "[A]\r\nx=1\r\n; c\r\n[B]\r\ny=2\r\n"},
        {"DeleteLastSection", "[A]\r\nx=1\r\n[WinPos]\r\nLeft=1", nullptr, nullptr,
         "[A]\r\nx=1\r\n"},
    };
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    for (const auto& c : cases) {
        WriteBytes(file, c.before);
        EXPECT_NE(Write(file, "WinPos", c.key, c.value), 0) << c.name;
        EXPECT_EQ(ReadBytes(file), c.after) << c.name;
    }
}

TEST(ProfileFile, DeletingFromAMissingFileCreatesNothing) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    EXPECT_NE(Write(file, "WinPos", "Left", nullptr), 0);
    EXPECT_NE(Write(file, "WinPos", nullptr, nullptr), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(ProfileFile, WritesThatWouldNotReadBackFail) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"Win\nPos", "Left", "1"}, {"WinPos", "Le\rft", "1"}, {"WinPos", "Left", "1\r\nTop=2"},
        {"WinPos", "a=b", "1"},    {"WinPos", "[x]", "1"},    {"WinPos", ";x", "1"},
        {nullptr, "Left", "1"},
    };
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\r\nLeft=1\r\n");
    for (const Case& c : cases) {
        EXPECT_EQ(Write(file, c.section, c.key, c.value), 0) << c.key;
    }
    EXPECT_EQ(ReadBytes(file), "[WinPos]\r\nLeft=1\r\n");
    EXPECT_EQ(WritePrivateProfileStringA("WinPos", "Left", "1", nullptr), 0);
}

TEST(ProfileFile, SectionNameRunsToTheLastBracket) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    // Keys before the first section belong to none, not to the one named "".
    WriteBytes(file, "Left=9\r\n[[x]\r\nk=1\r\n[a]b]\r\nk=2\r\n[open\r\nk=3\r\n[]\r\nk=4\r\n");
    EXPECT_EQ(Read(file, "[x", "k", "d"), "1");
    EXPECT_EQ(Read(file, "a]b", "k", "d"),
              "2");  // "[open" is no header: its k is a second k of a]b
    EXPECT_EQ(Read(file, "open", "k", "d"), "d");
    EXPECT_EQ(Read(file, "", "k", "d"), "4");
    EXPECT_EQ(Read(file, "", "Left", "d"), "d");
    EXPECT_NE(Write(file, "a]b", "n", "5"), 0);
    EXPECT_EQ(Read(file, "a]b", "n", "d"), "5");
}

TEST(ProfileFile, BufferSizesAtTheEdges) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[S]\r\nK=value\r\n");
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "d", buffer, 0, file.c_str()), 0u);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "d", buffer, 1, file.c_str()), 0u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "d", nullptr, 4, file.c_str()), 0u);
}

TEST(ProfileFile, NullNamesListWhatIsThere) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\r\nLeft=1\r\n Top = 2\r\n; no\r\n[Other]\r\nx=1\r\n");
    char buffer[64];

    EXPECT_EQ(GetPrivateProfileStringA("winpos", nullptr, "d", buffer, sizeof buffer, file.c_str()),
              9u);
    EXPECT_EQ(std::string(buffer, 10), "Left\0Top\0\0"s);

    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "d", buffer, sizeof buffer, file.c_str()),
              13u);
    EXPECT_EQ(std::string(buffer, 14), "WinPos\0Other\0\0"s);

    // Too small: the list is cut and ends with two NULs.
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "d", buffer, 6, file.c_str()), 4u);
    EXPECT_EQ(std::string(buffer, 6), "WinP\0\0"s);

    EXPECT_EQ(GetPrivateProfileStringA("None", nullptr, "d", buffer, sizeof buffer, file.c_str()),
              0u);
    EXPECT_EQ(std::string(buffer, 2), "\0\0"s);
}

// Bytes of every kind, weighted towards those that mean something here.
std::string HostileBytes(unsigned seed, std::size_t size) {
    static constexpr char kSignificant[] = {'[', ']', '=', ';', '\r', '\n', ' ', '\t', '"', '\0'};
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        const auto draw = random();
        byte = draw % 4 == 0 ? kSignificant[(draw >> 8) % sizeof kSignificant]
                             : static_cast<char>(draw >> 16);
    }
    return bytes;
}

TEST(ProfileFile, HostileFilesReadAndWriteWithoutHarm) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    const std::string inputs[] = {
        HostileBytes(1, 1 << 20),        HostileBytes(2, 4096),
        std::string(1 << 20, '['),       std::string(1 << 20, '='),
        std::string(1 << 20, '\n'),      std::string(1 << 20, '\0'),
        "[" + std::string(1 << 20, 'x'), "[S]\r\nK=" + std::string(4 << 20, 'v'),
    };
    for (const std::string& before : inputs) {
        SCOPED_TRACE(before.substr(0, 16));
        WriteBytes(file, before);
        EXPECT_EQ(Read(file, "Kelvora Test", "Key", "fallback"), "fallback");
        ASSERT_NE(Write(file, "Kelvora Test", "Key", "value"), 0);
        EXPECT_EQ(Read(file, "Kelvora Test", "Key", "fallback"), "value");
        const std::string after = ReadBytes(file);
        EXPECT_EQ(after.compare(0, before.size(), before), 0) << "the old bytes must stay first";
    }
}

TEST(ProfileFile, HundredThousandLines) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    std::string text = "[S]\r\n";
    for (int i = 0; i < 100000; ++i) {
        text += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\r\n";
    }
    WriteBytes(file, text);

    EXPECT_EQ(Read(file, "S", "KEY99999", "d"), "value99999");
    EXPECT_NE(Write(file, "S", "key50000", "changed"), 0);
    const std::size_t at = text.find("key50000=") + 9;
    text.replace(at, 10, "changed");
    EXPECT_EQ(ReadBytes(file), text);
}

// A file too large to be ours, or a FIFO that would hang a reader.
TEST(ProfileFile, UnusableFilesAreNeitherReadNorWritten) {
    const TempFolder folder;
    const auto large = folder / "large.ini";
    const std::string text = "[WinPos]\r\nLeft=1\r\n" + std::string(17 << 20, ';');
    WriteBytes(large, text);
    const auto fifo = folder / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& file : {large, fifo}) {
        EXPECT_EQ(Read(file, "WinPos", "Left", "d"), "d") << file;
        EXPECT_EQ(Write(file, "WinPos", "Left", "2"), 0) << file;
    }
    EXPECT_EQ(std::filesystem::file_size(large), text.size());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(ProfileFile, WriteReplacesTheFileInsteadOfRewritingIt) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\r\nLeft=1\r\n");
    // A second name for the old file: an in-place rewrite would change it too.
    std::filesystem::create_hard_link(file, folder / "old.ini");

    EXPECT_NE(Write(file, "WinPos", "Left", "2"), 0);
    EXPECT_EQ(ReadBytes(file), "[WinPos]\r\nLeft=2\r\n");
    EXPECT_EQ(ReadBytes(folder / "old.ini"), "[WinPos]\r\nLeft=1\r\n");

    // An unchanged value leaves the file itself alone.
    std::filesystem::create_hard_link(file, folder / "same.ini");
    EXPECT_NE(Write(file, "WinPos", "Left", "2"), 0);
    EXPECT_TRUE(std::filesystem::equivalent(file, folder / "same.ini"));
}

TEST(ProfileFile, NoTemporaryFileIsLeftBehind) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    for (const char* key : {"Left", "Right", "Top", "Bottom", "showCmd"}) {
        EXPECT_NE(Write(file, "WinPos", key, "1"), 0);
    }
    EXPECT_EQ(Write(file, "WinPos", "Left", nullptr), 1);
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(Write(file, "WinPos", "Left", "2"), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(ProfileFile, ReplacementKeepsTheLinkAndThePermissions) {
    const TempFolder folder;
    const auto real = folder / "real.ini";
    const auto link = folder / "Kelvora.ini";
    WriteBytes(real, "[WinPos]\r\nLeft=1\r\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink(real, link);

    EXPECT_NE(Write(link, "WinPos", "Left", "2"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "[WinPos]\r\nLeft=2\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace kelvora::platform::test
