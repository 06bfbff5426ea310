#include "core/FileSystem.h"

#include <system_error>

#include "core/RuntimeError.h"

namespace kelvora::core {

std::filesystem::path ToPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Dir(const std::string& path, int attributes) {
    if (path.empty()) return {};
    std::error_code error;
    const auto status = std::filesystem::status(ToPath(path), error);
    if (error || !std::filesystem::exists(status)) return {};
    const bool isFolder = std::filesystem::is_directory(status);
    if (isFolder && (attributes & kAttributeDirectory) == 0) return {};
    // A pipe or a device is no file the program could read to an end: opening a
    // pipe waits for a writer, and a device such as /dev/zero never ends.
    if (!isFolder && !std::filesystem::is_regular_file(status)) return {};
    std::string name = FromPath(ToPath(path).filename());
    return name.empty() ? path : name;
}

void MkDir(const std::string& path) {
    const auto target = ToPath(path);
    std::error_code error;
    if (std::filesystem::create_directory(target, error)) return;
    const auto parent = target.parent_path();
    if (!parent.empty() && !std::filesystem::is_directory(parent, error)) RaiseError(kPathNotFound);
    RaiseError(kPathFileAccessError);
}

}  // namespace kelvora::core
