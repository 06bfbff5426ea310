// The profile routines on real files. The first test holds for Windows' own
// routines as for ours, so the Windows build runs it against kernel32; the
// rest pin down our own: the bytes an edit leaves, hostile files, and the
// replacement of the file.

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "core/ModuleWin32API.h"

namespace kelvora::platform::test {
namespace {

// Reads as the program does and checks that the text ends with NUL where the
// count says.
std::string Read(const std::filesystem::path& file, const char* section, const char* key,
                 const char* fallback) {
    std::string buffer(256, '#');
    const std::uint32_t count = win32api::GetPrivateProfileStringA(
        section, key, fallback, buffer.data(), 256, file.string().c_str());
    EXPECT_EQ(buffer[count], '\0');
    return buffer.substr(0, count);
}

TEST(Profile, ReadFindsTheValueOrGivesTheDefault) {
    // file, what WinPos/Left reads as
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"[WinPos]\r\nLeft=120\r\nTop=50\r\n", "120"}, {"[winpos]\r\nLEFT=-3=\r\n", "-3="},
        {" \t[ \tWinPos  ]\r\n  Left \t=\t 120  \r\n", "120"}, {"[WinPos]\r\nLeft= a  b \r\n", "a  b"},
        {"[WinPos]\r\nLeft=\"120\"\r\n", "120"}, {"[WinPos]\r\nLeft='1'\r\n", "1"},
        {"[WinPos]\r\nLeft=\" 1 \"\r\n", " 1 "}, {"[WinPos]\r\nLeft=\"\"1\"\"\r\n", "\"1\""},
        {"[WinPos]\r\nLeft=\"1'\r\n", "\"1'"}, {"[WinPos]\r\nLeft=\"\r\n", "\""},
        {"[WinPos]\r\nLeft=\"\"\r\n", ""}, {"[WinPos]\r\nLeft=\r\n", ""}, {"[WinPos]\r\nLeft=  \r\n", ""},
        {"[WinPos]\r\nLeft=1\r\nLeft=2\r\n[WinPos]\r\nLeft=3\r\n", "1"},
        {"Left=0\r\n[Other]\r\nLeft=1\r\n[WinPos]\r\nTop=2\r\n", "d"},
        {"[WinPos2]\r\nLeft=1\r\n", "d"}, {"[WinPos]\r\nLef=0\r\nLefty=1\r\n;Left=5\r\n", "d"},
        {"[WinPos]\nTop=2\nLeft=1\n", "1"}, {"[WinPos]\r\nLeft=120", "120"},
        {"\xEF\xBB\xBF[WinPos]\r\nLeft=7\r\n", "7"}, {"", "d"}, {"[XinPos]\r\nLeft=1\r\n", "d"},
        {"\v[\fWinPos\v]\f\r\n\fLeft\v=\f1\v\r\n", "1"}, {"\n[WinPos]\nLeft=1", "1"},
        {"\r\n[WinPos]\r\nLeft=1", "1"}, {"[WinPos]\r\nLeft\r\n", "d"},
        {"[WinPos]\r\n[]\r\nLeft=1\r\n", "d"}, {"[WinPos]\r\n[x\r\nLeft=1\r\n", "1"},
        {"[WinPos]\r\nLeft=" + std::string(300, 'v') + "\r\n", std::string(255, 'v')}
    };
    // clang-format on
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    for (const auto& [bytes, value] : rows) {
        WriteBytes(file, bytes);
        EXPECT_EQ(Read(file, "WinPos", "Left", "d"), value) << bytes;
    }
    WriteBytes(file, "[Section A]\r\nKEY_Z=1\r\n");
    EXPECT_EQ(Read(file, "sECTION a", "key_z", "d"), "1") << "names match in any case, A to Z";
    EXPECT_EQ(Read(file, "WinPos", "Top", "abc   ") + Read(file, "WinPos", "Top", nullptr), "abc");
}

#ifndef _WIN32

int Write(const std::filesystem::path& file, const char* section, const char* key,
          const char* value) {
    return win32api::WritePrivateProfileStringA(section, key, value, file.string().c_str());
}

TEST(Profile, AnEditLeavesEveryOtherByteAsItWas) {
    // before, key and value written to WinPos, after
    // clang-format off
    const char* const rows[][4] = {
        {"; c\r\n[O]\r\nLeft = 7\r\n\r\n[WinPos]\r\n  left = 5  \r\nTop=2\r\n", "Left", "120",
         "; c\r\n[O]\r\nLeft = 7\r\n\r\n[WinPos]\r\n  left = 120\r\nTop=2\r\n"},
        {"[WinPos]\r\nLeft=1\r\nLeft=2\r\n[WinPos]\r\nLeft=3", "Left", "4",
         "[WinPos]\r\nLeft=4\r\nLeft=2\r\n[WinPos]\r\nLeft=3"},
        {"[WinPos]\r\nLeft=1", "Left", "22", "[WinPos]\r\nLeft=22"},
        {"[WinPos]\r\nLeft=1\r\n\r\n; next\r\n[O]\r\n", "Top", "2",
         "[WinPos]\r\nLeft=1\r\nTop=2\r\n\r\n; next\r\n[O]\r\n"},
        {"[O]\nx=1", "Left", "1", "[O]\nx=1\n[WinPos]\nLeft=1\n"},
        {"[O]\nx=1\n", "Left", "1", "[O]\nx=1\n[WinPos]\nLeft=1\n"},
        {"\xEF\xBB\xBF[WinPos]\r\nLeft=1\r\n", "Left", "2", "\xEF\xBB\xBF[WinPos]\r\nLeft=2\r\n"},
        {"[WinPos]\r\n Left = 1 \r\n", "Left", "1", "[WinPos]\r\n Left = 1 \r\n"},
        {"[WinPos]\r\nLeft = 1\r\n", "Left", " 2", "[WinPos]\r\nLeft = 2\r\n"},
        {"[WinPos]\r\nLeft=1\r\nLeft=2\r\n", "LEFT", nullptr, "[WinPos]\r\nLeft=2\r\n"},
        {"[WinPos]\r\nTop=2", "Left", nullptr, "[WinPos]\r\nTop=2"},
        {"[A]\r\n[WinPos]\r\nLeft=1\r\n; mine\r\n[B]\r\ny=2\r\n", nullptr, nullptr,
         "[A]\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\n[WinPos]\r\nLeft=1", nullptr, nullptr, "[A]\r\n"},
        {"\n[WinPos]\nx=1", "Left", "2", "\n[WinPos]\nx=1\nLeft=2\n"},
        {"", "Left", "1", "[WinPos]\r\nLeft=1\r\n"},
        {"\xEF\xBB\xBF", "Left", "1", "\xEF\xBB\xBF[WinPos]\r\nLeft=1\r\n"}};
    // clang-format on
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    for (const auto& [before, key, value, after] : rows) {
        WriteBytes(file, before);
        EXPECT_EQ(Write(file, "WinPos", key, value), 1) << before;
        EXPECT_EQ(ReadBytes(file), after) << before;
    }
    // Names and values whose text the file could not hold back, and no file at all.
    // clang-format off
    const char* const refused[][3] = {{"Win\nPos", "Left", "1"}, {"WinPos", "Le\rft", "1"},
        {"WinPos", "Left", "1\r\nTop=2"}, {"WinPos", "a=b", "1"}, {"WinPos", "[x]", "1"},
        {"WinPos", ";x", "1"}, {nullptr, "Left", "1"}};
    // clang-format on
    for (const auto& [s, k, v] : refused) EXPECT_EQ(Write(file, s, k, v), 0) << k;
}

// Names given with blanks around them, and a stray CR after a value, do not
// count; no key lists the section's keys, no section the sections. A buffer of
// any size is filled as Windows fills it: a value cut with one NUL, a list with
// two, and nothing written past its end.
TEST(Profile, NamesAreTrimmedAndAnswersFitTheBuffer) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\r\nLeft=120\r\n Top = 2\r\r\n; no=1\r\n[O]\r\n");
    // size, then the count and the bytes (NUL as '|') up to 2 past it for
    // WinPos/Left, WinPos/Top, the keys of WinPos and of O, and the sections
    // clang-format off
    const std::pair<std::uint32_t, std::string> rows[] = {
        {0, "0# 0# 0# 0# 0#"}, {1, "0|# 0|# 0|# 0|# 0|#"}, {2, "11|# 12|# 0||# 0||# 0||#"},
        {3, "212|# 12|## 1L||# 0||# 1W||#"}, {9, "3120|## 12|## 7Left|To||# 0||# 7WinPos|||#"},
        {10, "3120|## 12|## 9Left|Top||# 0||# 9WinPos|O||#"}};
    const std::pair<const char*, const char*> asked[] = {{"WinPos", "Left"}, {" WinPos\t", "\tTop "},
        {"winpos", nullptr}, {"O", nullptr}, {nullptr, nullptr}};
    // clang-format on
    for (const auto& [size, filled] : rows) {
        std::string seen;
        for (const auto& [section, key] : asked) {
            std::string buffer(size + 1, '#');
            const std::uint32_t count = win32api::GetPrivateProfileStringA(
                section, key, "d", buffer.data(), size, file.string().c_str());
            std::replace(buffer.begin(), buffer.end(), '\0', '|');
            seen += " " + std::to_string(count) + buffer.substr(0, std::min(size + 1, count + 3));
        }
        EXPECT_EQ(seen.substr(1), filled) << size;
    }
}

// A file of exactly 16 MiB is read to its last line; one byte more makes it
// too large to be ours, and it, a pipe that would hang a reader, a link to
// itself or a read-only file is left alone; deleting from no file makes none;
// no descriptor stays open.
TEST(Profile, LargeOddAndMissingFiles) {
    const auto open = OpenDescriptors();
    const TempFolder folder;
    const auto big = folder / "big.ini", fifo = folder / "fifo.ini";
    const std::string last = "\n[WinPos]\nLeft=1\n";
    WriteBytes(big, std::string((16 << 20) - last.size(), ';') + last);
    EXPECT_EQ(Read(big, "WinPos", "Left", "d"), "1");
    WriteBytes(big, std::string((16 << 20) + 1 - last.size(), ';') + last);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("loop.ini", folder / "loop.ini");
    WriteBytes(folder / "ro.ini", "[WinPos]\r\n"), ::chmod((folder / "ro.ini").c_str(), 0444);
    for (const auto& unusable : {big, fifo, folder / "loop.ini", folder / "ro.ini"}) {
        EXPECT_EQ(Read(unusable, "WinPos", "Left", "d"), "d");
        EXPECT_EQ(
            Write(unusable, "WinPos", "Left", "2") + Write(unusable, "WinPos", "Left", nullptr), 0);
    }
    for (const auto& none : {folder / "none.ini", big / "x.ini"})
        EXPECT_EQ(Write(none, "S", "k", nullptr) + Write(none, "S", nullptr, nullptr), 2);

    EXPECT_EQ(Entries(folder.Path()), 4) << "no temporary file is left";
    EXPECT_EQ(OpenDescriptors(), open) << "every descriptor is closed";
}

#endif

}  // namespace
}  // namespace kelvora::platform::test
