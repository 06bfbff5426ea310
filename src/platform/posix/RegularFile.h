#pragma once
#include <cstddef>
#include <string>

namespace kelvora::platform {

enum class FileState { Read, Missing, Unusable };

struct FileBytes {
    FileState state = FileState::Missing;
    std::string bytes;  // empty unless read
};

// A plain file's whole contents, read without ever waiting. Anything else of
// that name is Unusable and never read: opening a FIFO waits until its other
// end appears, and a device may never end. So is a file of more than `limit`
// bytes or one that cannot be read; Missing means nothing of that name.
FileBytes ReadRegularFile(const std::string& path, std::size_t limit);

}  // namespace kelvora::platform
