#include "platform/AtomicReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

namespace kelvora::platform {

namespace {

bool Sync(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return (::close(fd) == 0) && synced;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

std::filesystem::path TemporarySibling(const std::filesystem::path& target) {
    static std::atomic<unsigned long> counter{0};
    std::string name = target.filename().string();
    name += '.';
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(++counter);
    name += ".tmp";
    return target.parent_path() / name;
}

bool CommitReplacement(const std::filesystem::path& temporary,
                       const std::filesystem::path& target) {
    // The data must be on disk before the name points at it; otherwise a power
    // loss right after the rename could leave an empty file under the old name.
    if (!Sync(temporary, O_RDONLY) || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Makes the rename itself durable. The new contents are in place already,
    // so a folder that cannot be synced (some file systems refuse) is no failure.
    Sync(FolderOf(target), O_RDONLY | O_DIRECTORY);
    return true;
}

}  // namespace kelvora::platform
