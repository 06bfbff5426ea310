// A file under a lease, as file servers and sync clients take them, on real
// files: each reader gets it once the holder lets go, and one event waits
// about a second at most for all of its files.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

// A write lease on the file, let go `hold` after it was taken. The kernel
// treats a lease of this process as it treats another program's.
struct Lease {
    Lease(const std::filesystem::path& file, std::chrono::milliseconds hold)
        : fd(::open(file.c_str(), O_RDONLY)),
          taken(::fcntl(fd, F_SETLEASE, F_WRLCK) == 0),
          letGo([this, hold] { std::this_thread::sleep_for(hold), ::close(fd); }) {}
    const int fd;
    const bool taken;
    std::jthread letGo;  // joined when the lease goes
};

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
    std::signal(SIGIO, SIG_IGN);  // the kernel's request to let go, which would end the holder
    const TempFolder folder;
    const auto file = folder / "Kelvora.ini", fifo = folder / "fifo", none = folder / "none";
    WriteBytes(file, "[WinPos]\nLeft=120\n");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto read : kReaders) {
        // Anything else that fails to open is refused at once: the event's
        // second is all there when the lease comes.
        const FileWaitScope event;
        for (const auto& odd : {fifo, none, folder.Path()}) EXPECT_FALSE(read(odd.c_str()));
        const Lease lease(file, std::chrono::milliseconds(300));
        if (!lease.taken && read == kReaders[0]) GTEST_SKIP() << "no leases in " << folder.Path();
        ASSERT_TRUE(lease.taken) << "a reader left the file open";
        EXPECT_TRUE(read(file.c_str()));
    }
    // Five reads of the placement, a second each, would freeze the window for five.
    const Lease lease(file, std::chrono::seconds(2));
    const FileWaitScope event;
    for (const auto read : kReaders) EXPECT_FALSE(read(file.c_str()) || read(file.c_str()));
}

}  // namespace
}  // namespace kelvora::platform::test
