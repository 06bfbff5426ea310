// Saving a file in one step, on real files: whatever the user set up for the
// file stays, and nothing is left beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "TempFolder.h"
#include "platform/AtomicReplace.h"

namespace kelvora::platform::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOld = "5,0\r\n";
constexpr const char* kNew = "10,30\r\n";

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

struct ReplaceCase {
    const char* name;
    std::function<void(const fs::path& folder, const fs::path& target)> setUp;
    bool saved;
    std::function<void(const fs::path& folder, const fs::path& target)> check;
};

void WriteOld(const fs::path&, const fs::path& target) { WriteBytes(target, kOld); }

const ReplaceCase kCases[] = {
    {"Missing", [](const fs::path&, const fs::path&) {}, true, nullptr},
    {"Present", WriteOld, true, nullptr},
    {"LeftoverOfACutShortSave",
     [](const fs::path& folder, const fs::path& target) {
         WriteOld(folder, target);
         WriteBytes(folder / "TimerSet.txt.tmp", "a longer leftover than the record\r\n");
     },
     true, nullptr},
    {"ReadOnly",
     [](const fs::path& folder, const fs::path& target) {
         WriteOld(folder, target);
         fs::permissions(target, fs::perms::owner_write | fs::perms::group_write |
                                     fs::perms::others_write, fs::perm_options::remove);
     },
     false, nullptr},
    {"Folder", [](const fs::path&, const fs::path& target) { fs::create_directory(target); },
     false, [](const fs::path&, const fs::path& target) { EXPECT_TRUE(fs::is_directory(target)); }},
#ifndef _WIN32
    {"LinkIntoASyncedFolder",
     [](const fs::path& folder, const fs::path& target) {
         fs::create_directory(folder / "Synced");
         WriteOld(folder, folder / "Synced" / "TimerSet.txt");
         fs::create_symlink(folder / "Synced" / "TimerSet.txt", target);
     },
     true,
     [](const fs::path& folder, const fs::path& target) {
         EXPECT_TRUE(fs::is_symlink(target));
         EXPECT_EQ(ReadBytes(folder / "Synced" / "TimerSet.txt"), kNew);
         EXPECT_FALSE(fs::exists(folder / "Synced" / "TimerSet.txt.tmp"));
     }},
    {"OwnPermissions",
     [](const fs::path& folder, const fs::path& target) {
         WriteOld(folder, target);
         fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
     },
     true,
     [](const fs::path&, const fs::path& target) {
         EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
     }},
#endif
};

TEST(FileReplacement, KeepsWhatTheUserSetUpAndLeavesNothingBeside) {
    for (const ReplaceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const fs::path target = folder / "TimerSet.txt";
        c.setUp(folder.Path(), target);
        const bool hadFile = fs::is_regular_file(target);
        EXPECT_EQ(ReplaceFileContents(Utf8(target), kNew), c.saved);
        if (c.saved || hadFile) {
            EXPECT_EQ(ReadBytes(target), c.saved ? kNew : kOld);
        }
        EXPECT_FALSE(fs::exists(folder / "TimerSet.txt.tmp"));
        if (c.check) c.check(folder.Path(), target);
        std::error_code ignored;  // Windows removes no read-only file
        fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ignored);
    }
}

TEST(FileReplacement, UnfinishedOrConcurrentSavesChangeNothing) {
    const TempFolder folder;
    const std::string target = Utf8(folder / "TimerSet.txt");
    WriteBytes(folder / "TimerSet.txt", kOld);
    {
        FileReplacement cutShort(target);
        ASSERT_TRUE(cutShort.IsOpen());
        EXPECT_TRUE(cutShort.Write("99"));
        // A second instance saving now must not write into the same temporary.
        EXPECT_FALSE(ReplaceFileContents(target, kNew));
    }
    EXPECT_EQ(ReadBytes(folder / "TimerSet.txt"), kOld);
    EXPECT_FALSE(fs::exists(folder / "TimerSet.txt.tmp"));
}

}  // namespace
}  // namespace kelvora::platform::test
