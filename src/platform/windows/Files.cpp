#include "platform/Files.h"

#include <string_view>

#include "platform/windows/Utf16.h"

namespace kelvora::platform {

std::FILE* OpenFileToRead(const std::string& path) {
    return ::_wfopen(Utf8ToWide(path).c_str(), L"rb");
}

PathKind KindOf(const std::string& path) {
    if (path.empty()) return PathKind::Missing;
    const DWORD attributes = ::GetFileAttributesW(Utf8ToWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? PathKind::Other : PathKind::File;
}

bool CreateFolder(const std::string& path) {
    return ::CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr) != 0;
}

namespace {
// Both separators count, and a drive's colon ends a folder part too ("C:name").
std::size_t LastSeparator(std::string_view path) { return path.find_last_of("\\/:"); }
}  // namespace

std::string FolderOf(const std::string& path) {
    const auto separator = LastSeparator(path);
    if (separator == std::string::npos) return {};
    // The root of a drive keeps its separator: "C:\" rather than "C:".
    const bool root = separator == 0 || path[separator] == ':' || path[separator - 1] == ':';
    return path.substr(0, root ? separator + 1 : separator);
}

std::string NameOf(const std::string& path) {
    const auto separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace kelvora::platform
