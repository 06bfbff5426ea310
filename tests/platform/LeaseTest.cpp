// A file under another program's lease, as file servers and sync clients take
// them, on real files: each reader gets it once the holder lets go, and one
// event waits about a second at most for all of its files.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

#include "TempFolder.h"
#include "core/ModuleWin32API.h"
#include "platform/FileWait.h"
#include "platform/Files.h"
#include "platform/posix/RegularFile.h"

namespace kelvora::platform::test {
namespace {

using namespace std::chrono_literals;

// Another process that takes a write lease on the file and lets go `hold`
// later, by ending; its id, or -1 where leases are refused.
pid_t HoldLease(const std::filesystem::path& file, std::chrono::milliseconds hold) {
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        std::signal(SIGIO, SIG_IGN);  // the kernel's request to let go, which would end it
        const char leased = ::fcntl(::open(file.c_str(), O_RDONLY), F_SETLEASE, F_WRLCK) == 0;
        if (::write(ready[1], &leased, 1) == 1 && leased) std::this_thread::sleep_for(hold);
        ::_exit(0);
    }
    ::close(ready[1]);
    char leased = 0;
    const bool held = ::read(ready[0], &leased, 1) == 1 && leased;
    ::close(ready[0]);
    return held ? holder : (::waitpid(holder, nullptr, 0), -1);
}

// Whether each reader got the file: pictures and sound, setting, profile.
bool (*const kReaders[])(const char* path) = {
    [](const char* path) { return ReadRegularFile(path, 100).state == FileState::Read; },
    [](const char* path) {
        return std::unique_ptr<FILE, int (*)(FILE*)>(OpenFileToRead(path), std::fclose) != nullptr;
    },
    [](const char* path) {
        char left[4];
        return win32api::GetPrivateProfileStringA("WinPos", "Left", "", left, 4, path) == 3;
    }};

TEST(Lease, AFileIsReadOnceItsHolderLetsGoAndAnEventWaitsASecondAtMost) {
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini";
    WriteBytes(file, "[WinPos]\nLeft=120\n");
    for (const auto read : kReaders) {
        const pid_t holder = HoldLease(file, 300ms);
        if (holder < 0 && read == kReaders[0]) GTEST_SKIP() << "no leases in " << folder.Path();
        EXPECT_TRUE(holder > 0 && read(file.c_str()));
        ::waitpid(holder, nullptr, 0);
    }
    // Five reads of the placement, a second each, would freeze the window for five.
    const pid_t keeps = HoldLease(file, 5s);
    ASSERT_GT(keeps, 0);  // a kill of -1 would reach every process
    const FileWaitScope event;
    const auto start = std::chrono::steady_clock::now();
    for (const auto read : kReaders) EXPECT_FALSE(read(file.c_str()) || read(file.c_str()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    ::kill(keeps, SIGKILL), ::waitpid(keeps, nullptr, 0);
}

}  // namespace
}  // namespace kelvora::platform::test
