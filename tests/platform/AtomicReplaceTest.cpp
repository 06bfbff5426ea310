// Saving a file in one step, on real files: whatever the user set up for the
// file stays, and nothing is left beside it.

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/AtomicReplace.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvora::platform::test {
namespace {

namespace fs = std::filesystem;
using fs::perms;

constexpr const char* kOld = "5,0\r\n";
constexpr const char* kNew = "10,30\r\n";

std::string Utf8(const fs::path& path) { return reinterpret_cast<const char*>(path.u8string().c_str()); }

enum class Before { Missing, File, Leftover, HiddenLeftover, Folder, LinkToFile };

// perms::unknown: the permissions a new file gets.
struct ReplaceCase { const char* name; Before before; perms permissions; bool saved; };

const ReplaceCase kCases[] = {
    {"Missing", Before::Missing, perms::unknown, true},
    {"Present", Before::File, perms::unknown, true},
    {"LeftoverOfACutShortSave", Before::Leftover, perms::unknown, true},
    {"ReadOnly", Before::File, perms::owner_read | perms::group_read, false},
    {"Folder", Before::Folder, perms::unknown, false},
#ifdef _WIN32
    {"HiddenFileAndTheLeftoverOfItsSave", Before::HiddenLeftover, perms::unknown, true},
#else
    {"OwnPermissions", Before::File, perms::owner_read | perms::owner_write, true},
    {"LinkIntoASyncedFolder", Before::LinkToFile, perms::unknown, true},
    {"LinkToAReadOnlyFile", Before::LinkToFile, perms::owner_read, false},
#endif
};

TEST(FileReplacement, KeepsWhatTheUserSetUpAndLeavesNothingBeside) {
    for (const ReplaceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const fs::path target = folder / "TimerSet.txt";
        // Where the contents live: behind the link, if there is one.
        const fs::path file = c.before == Before::LinkToFile ? folder / "Synced.txt" : target;
        if (c.before == Before::Folder) fs::create_directory(target);
        if (c.before != Before::Missing && c.before != Before::Folder) WriteBytes(file, kOld);
        if (c.before == Before::Leftover || c.before == Before::HiddenLeftover)
            WriteBytes(folder / "TimerSet.txt.tmp", "longer leftover");
#ifdef _WIN32
        // As a cut-short save leaves them. Windows refuses to overwrite a
        // hidden file as a plain one; Wine does not, so only Windows tells.
        for (const char* name : {"TimerSet.txt", "TimerSet.txt.tmp"}) {
            if (c.before == Before::HiddenLeftover)
                ::SetFileAttributesW((folder / name).c_str(), FILE_ATTRIBUTE_HIDDEN);
        }
#endif
        if (c.before == Before::LinkToFile) fs::create_symlink(file, target);
        if (c.permissions != perms::unknown) fs::permissions(file, c.permissions);

        EXPECT_EQ(ReplaceFileContents(Utf8(target), kNew), c.saved);
        if (c.before == Before::Folder) {
            EXPECT_TRUE(fs::is_directory(target));
        } else if (c.saved || c.before != Before::Missing) {
            EXPECT_EQ(ReadBytes(file), c.saved ? kNew : kOld);
        }
        EXPECT_EQ(fs::is_symlink(target), c.before == Before::LinkToFile);
        if (c.saved && c.permissions != perms::unknown) {
            EXPECT_EQ(fs::status(file).permissions(), c.permissions);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}),
                  c.before == Before::Missing && !c.saved ? 0 : 1 + (file != target));
        std::error_code ignored;  // Windows removes no read-only file
        fs::permissions(file, perms::owner_write, fs::perm_options::add, ignored);
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
