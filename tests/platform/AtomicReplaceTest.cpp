// Saving a file in one step, on real files: whatever the user set up for the
// file stays, nothing is left beside it, and no descriptor stays open.

#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#else
#include <windows.h>

#include <chrono>
#include <thread>
#endif

#include "TempFolder.h"
#include "platform/AtomicReplace.h"

namespace kelvora::platform::test {
namespace {

namespace fs = std::filesystem;
using fs::perms;

constexpr const char* kOld = "5,0\r\n";
constexpr const char* kNew = "10,30\r\n";

std::string Utf8(const fs::path& path) { return reinterpret_cast<const char*>(path.u8string().c_str()); }

enum class Before { Missing, File, Leftover, HiddenLeftover, Folder, LinkToFile, Fifo, FifoBeingRead };
enum class During { Nothing, SecondSave, TemporaryVanishes, WriteFails, HeldForAMoment, HeldLong };

// The permissions set before; for a missing file, the ones a new file gets. A path given is
// taken in the test's folder as the current one; none means the file's full path.
struct ReplaceCase { const char* name; Before before; perms permissions; During during; bool saved; const char* path = {}; };

#ifdef _WIN32
constexpr perms kNewFile = perms::unknown;
#else
constexpr perms kNewFile = perms::owner_read | perms::owner_write | perms::group_read | perms::others_read;
#endif

const ReplaceCase kCases[] = {
    {"Missing", Before::Missing, kNewFile, During::Nothing, true},
    {"Present", Before::File, perms::unknown, During::Nothing, true},
    {"LeftoverOfACutShortSave", Before::Leftover, perms::unknown, During::Nothing, true},
    {"ReadOnly", Before::File, perms::owner_read | perms::group_read, During::Nothing, false},
    {"Folder", Before::Folder, perms::unknown, During::Nothing, false},
    {"SecondSaveMeanwhileIsRefused", Before::File, perms::unknown, During::SecondSave, true},
    // Run anywhere, an empty path would replace "./.tmp", and a bare name a file wherever it runs.
    {"EmptyPathLeavesTheUsersOwnDotTmp", Before::Leftover, perms::unknown, During::Nothing, false, ""},
    {"PathWithoutAFolder", Before::Leftover, perms::unknown, During::Nothing, false, "TimerSet.txt"},
#ifdef _WIN32
    {"HiddenFileAndTheLeftoverOfItsSave", Before::HiddenLeftover, perms::unknown, During::Nothing, true},
    {"HeldForAMomentByAnotherProgram", Before::File, perms::unknown, During::HeldForAMoment, true},
    {"HeldLongerThanASaveWaits", Before::File, perms::unknown, During::HeldLong, false},
#else
    {"OwnPermissions", Before::File, perms::owner_read | perms::owner_write | perms::group_read, During::Nothing, true},
    {"LinkIntoASyncedFolder", Before::LinkToFile, perms::unknown, During::Nothing, true},
    {"LinkToAReadOnlyFile", Before::LinkToFile, perms::owner_read, During::Nothing, false},
    {"FifoAsTheTemporary", Before::Fifo, perms::unknown, During::Nothing, false},
    {"FifoBeingReadAsTheTemporary", Before::FifoBeingRead, perms::unknown, During::Nothing, false},
    {"WriteFailsAsOnAFullDisk", Before::File, perms::unknown, During::WriteFails, false},
    {"TemporaryVanishesSoTheRenameFails", Before::File, perms::unknown, During::TemporaryVanishes, false},
#endif
};

TEST(FileReplacement, KeepsWhatTheUserSetUpAndLeavesNothingBesideOrOpen) {
#ifndef _WIN32
    const mode_t umask = ::umask(022);
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the size limit fails instead
    const rlimit noLimit = [] { rlimit limit{}; return ::getrlimit(RLIMIT_FSIZE, &limit), limit; }();
    const rlimit full{4, noLimit.rlim_max};  // room for part of the bytes only
#endif
    const fs::path started = fs::current_path();
    for (const ReplaceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        fs::current_path(folder.Path());
        const fs::path target = folder / "TimerSet.txt", temporary = folder / (c.path ? c.path : "TimerSet.txt") += ".tmp";
        // Where the contents live: behind the link, if there is one.
        const fs::path file = c.before == Before::LinkToFile ? folder / "Synced.txt" : target;
        const bool fifo = c.before >= Before::Fifo, opens = c.saved || c.during != During::Nothing;
        // Nothing at all over a leftover: the profile routines may write an empty file.
        const std::string bytes = c.before == Before::Leftover ? "" : kNew;
        if (c.before == Before::Folder) fs::create_directory(target);
        if (c.before != Before::Missing && c.before != Before::Folder) WriteBytes(file, kOld);
        if (c.before == Before::Leftover || c.before == Before::HiddenLeftover) WriteBytes(temporary, "longer leftover");
#ifdef _WIN32
        // As a cut-short save leaves them. Windows refuses to overwrite a
        // hidden file as a plain one; Wine does not, so only Windows tells.
        for (const fs::path& hidden : {target, temporary}) {
            if (c.before == Before::HiddenLeftover) ::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
        }
#endif
        if (c.before == Before::LinkToFile) fs::create_symlink(file, target);
        if (c.before != Before::Missing && c.permissions != perms::unknown) fs::permissions(file, c.permissions);
#ifndef _WIN32
        EXPECT_TRUE(!fifo || ::mkfifo(temporary.c_str(), 0600) == 0);
        const int reader = c.before == Before::FifoBeingRead ? ::open(temporary.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        if (c.during == During::WriteFails) ::setrlimit(RLIMIT_FSIZE, &full);
#endif
        const auto open = OpenDescriptors();

        FileReplacement replacement(c.path ? c.path : Utf8(target));
        EXPECT_EQ(replacement.Write(bytes), opens && c.during != During::WriteFails);
#ifndef _WIN32
        ::setrlimit(RLIMIT_FSIZE, &noLimit);
#endif
        EXPECT_FALSE(c.during == During::SecondSave && ReplaceFileContents(Utf8(target), kOld));
        if (c.during == During::TemporaryVanishes) fs::remove(temporary);
#ifdef _WIN32
        // Held by another thread without delete sharing, as antivirus or an indexer holds a file.
        const HANDLE held = c.during < During::HeldForAMoment ? nullptr : ::CreateFileW(target.c_str(),
            GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const std::jthread letGo([held, ms = c.during == During::HeldLong ? 1500 : 100] {
            if (held) std::this_thread::sleep_for(std::chrono::milliseconds(ms)), ::CloseHandle(held);
        });
#endif
        EXPECT_EQ(replacement.Commit(), c.saved);
        // Done or failed, for good; either way nothing stays open.
        EXPECT_FALSE(replacement.IsOpen() || replacement.Write(kNew) || replacement.Commit());
        EXPECT_EQ(OpenDescriptors(), open);
#ifndef _WIN32
        ::close(reader);
#endif
        EXPECT_EQ(fs::is_directory(file) ? "folder" : ReadBytes(file), c.before == Before::Folder ? "folder" : c.saved ? bytes : kOld);
        EXPECT_EQ(c.saved && c.permissions != perms::unknown ? fs::status(file).permissions() : c.permissions, c.permissions);
        EXPECT_EQ(c.path ? ReadBytes(temporary) : "", c.path ? "longer leftover" : "");
        EXPECT_EQ(Entries(folder.Path()), 1 + (file != target) + fifo + (c.path != nullptr));
        std::error_code ignored;  // Windows removes no read-only file
        fs::permissions(file, perms::owner_write, fs::perm_options::add, ignored);
        fs::current_path(started);
    }
#ifndef _WIN32
    EXPECT_EQ(::umask(umask), mode_t{022});  // as the saves found it
#endif
}

}  // namespace
}  // namespace kelvora::platform::test
