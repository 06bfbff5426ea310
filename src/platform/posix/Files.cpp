#include "platform/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/RegularFile.h"

namespace kelvora::platform {

std::FILE* OpenFileToRead(const std::string& path) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) ::close(fd);
    return file;
}

PathKind KindOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return PathKind::Missing;
    if (S_ISDIR(info.st_mode)) return PathKind::Folder;
    return S_ISREG(info.st_mode) ? PathKind::File : PathKind::Other;
}

bool CreateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

std::string FolderOf(const std::string& path) {
    const auto separator = path.rfind('/');
    if (separator == std::string::npos) return {};
    return separator == 0 ? "/" : path.substr(0, separator);
}

std::string NameOf(const std::string& path) {
    const auto separator = path.rfind('/');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace kelvora::platform
