#include "platform/AtomicReplace.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/Files.h"

namespace kelvora::platform {

namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A link (into a synced folder, say) stays a link: the file it points to is
// the one replaced. A link to anything but a plain file (a device, nothing)
// is replaced itself, as such a file would be.
std::string ResolveLinks(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return ::stat(resolved, &info) == 0 && S_ISREG(info.st_mode) ? std::string(resolved) : path;
}

// A path with no folder part names a file wherever the program happens to
// run (for an empty one, the temporary ".tmp" there): never one of its own.
std::string TargetOf(const std::string& path) {
    return FolderOf(path).empty() ? std::string() : ResolveLinks(path);
}

// Read-only means no write permission for anyone, even for root, as the
// read-only attribute does on Windows.
bool Writable(const std::string& path, const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileReplacement::FileReplacement(const std::string& target)
    : target_(TargetOf(target)), temporary_(TemporaryFor(target_)) {
    if (target_.empty()) return;
    struct stat old {};
    // Only a plain file has contents and permissions to keep; a pipe or a
    // device in its place is replaced by one, and a folder never is.
    bool present = false;
    if (::lstat(target_.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) return;
        present = S_ISREG(old.st_mode);
        if (present && !Writable(target_, old)) return;
    } else if (errno != ENOENT) {
        return;
    }

    // Not truncated before the lock is held: another instance may be writing it.
    // Without O_NONBLOCK a FIFO left under the temporary name would hold the
    // open until something reads it; anything but a plain file is refused.
    const int fd =
        ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return;
    struct stat opened {};
    struct stat named {};
    // The lock is held until the rename, so a name that no longer leads to the
    // file just opened means another save has put it in place meanwhile.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &opened) != 0 ||
        !S_ISREG(opened.st_mode) || ::lstat(temporary_.c_str(), &named) != 0 ||
        opened.st_ino != named.st_ino || opened.st_dev != named.st_dev) {
        ::close(fd);
        return;
    }
    handle_ = fd;
    bool ready = ::ftruncate(fd, 0) == 0;
    if (present) {
        ready = ready && ::fchmod(fd, old.st_mode & 07777) == 0;
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give a file away; anyone else keeps ownership.
        }
    } else {
        ready = ready && ::fchmod(fd, NewFileMode()) == 0;
    }
    if (!ready) Discard();
}

FileReplacement::~FileReplacement() { Discard(); }

void FileReplacement::Discard() {
    if (!IsOpen()) return;
    ::unlink(temporary_.c_str());
    ::close(Descriptor(handle_));
    handle_ = kClosed;
}

bool FileReplacement::Write(std::string_view bytes) {
    while (IsOpen() && !failed_ && !bytes.empty()) {
        const ssize_t put = ::write(Descriptor(handle_), bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) failed_ = true;
        if (put > 0) bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return IsOpen() && !failed_;
}

bool FileReplacement::Commit() {
    // The data must be on disk before the name points at it; otherwise a power
    // loss right after the rename could leave an empty file under the old name.
    if (!IsOpen() || failed_ || ::fsync(Descriptor(handle_)) != 0 ||
        std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    ::close(Descriptor(handle_));
    handle_ = kClosed;
    // Makes the rename itself durable. The new contents are in place already,
    // so a folder that cannot be synced (some file systems refuse) is no failure.
    SyncFolder(FolderOf(target_));
    return true;
}

}  // namespace kelvora::platform
