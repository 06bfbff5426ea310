#include "platform/posix/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/FileWait.h"

namespace kelvora::platform {

namespace {

// `fd` when it is a plain file's; otherwise -1, and the descriptor is closed.
int OnlyRegular(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return fd;
    ::close(fd);
    errno = EINVAL;
    return -1;
}

// O_NONBLOCK also makes an open fail at once, instead of waiting, while the
// holder of a lease lets go. A device may refuse the same way, for good.
bool HeldByLease(const std::string& path) {
    const int error = errno;
    struct stat info {};
    const bool held =
        error == EWOULDBLOCK && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    errno = error;
    return held;
}

bool ReadAll(int fd, std::size_t limit, std::string& bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || static_cast<std::uintmax_t>(info.st_size) > limit) return false;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return got == 0;
        // The file may have grown since it was measured.
        if (static_cast<std::size_t>(got) > limit - bytes.size()) return false;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace

int OpenRegularFile(const std::string& path) {
    FileWait wait;
    for (;;) {
        // Without O_NONBLOCK a FIFO would hold the open until a writer came.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) return OnlyRegular(fd);
        if (!HeldByLease(path) || !wait.Step()) return -1;
    }
}

FileBytes ReadRegularFile(const std::string& path, std::size_t limit) {
    FileBytes file;
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) file.state = FileState::Unusable;
        return file;
    }
    file.state = ReadAll(fd, limit, file.bytes) ? FileState::Read : FileState::Unusable;
    ::close(fd);
    if (file.state != FileState::Read) file.bytes.clear();
    return file;
}

}  // namespace kelvora::platform
