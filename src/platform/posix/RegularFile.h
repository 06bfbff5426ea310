#pragma once
#include <cstddef>
#include <string>

namespace kelvora::platform {

// The one way this program opens a file to read on Linux. Anything but a
// plain file is refused at once and never read: opening a FIFO waits until
// its other end appears, and a device may never end. A plain file under
// another program's lease (Linux's form of an oplock, taken by Samba, file
// servers and sync clients) is opened once its holder lets go, which the
// kernel has asked it to do; the wait is bounded as FileWait describes.
//
// The descriptor (the caller closes it), or -1 with errno saying why:
// ENOENT or ENOTDIR when nothing of that name exists.
int OpenRegularFile(const std::string& path);

enum class FileState { Read, Missing, Unusable };

struct FileBytes {
    FileState state = FileState::Missing;
    std::string bytes;  // empty unless read
};

// A plain file's whole contents. A file of more than `limit` bytes, one that
// cannot be read and anything but a plain file are Unusable; Missing means
// nothing of that name.
FileBytes ReadRegularFile(const std::string& path, std::size_t limit);

}  // namespace kelvora::platform
