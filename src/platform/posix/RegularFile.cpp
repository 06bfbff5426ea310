#include "platform/posix/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace kelvora::platform {

namespace {

bool ReadAll(int fd, std::size_t limit, std::string& bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > limit) {
        return false;
    }
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

FileBytes ReadRegularFile(const std::string& path, std::size_t limit) {
    FileBytes file;
    // For a plain file O_NONBLOCK changes nothing; a FIFO opens at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
