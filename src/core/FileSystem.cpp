#include "core/FileSystem.h"

#include "core/RuntimeError.h"
#include "platform/Files.h"

namespace kelvora::core {

using platform::PathKind;

std::string Dir(const std::string& path, int attributes) {
    const PathKind kind = platform::KindOf(path);
    if (kind == PathKind::Missing) return {};
    if (kind == PathKind::Folder && (attributes & kAttributeDirectory) == 0) return {};
    // A pipe or a device is no file the program could read to an end: opening a
    // pipe waits for a writer, and a device such as /dev/zero never ends.
    if (kind == PathKind::Other) return {};
    std::string name = platform::NameOf(path);
    return name.empty() ? path : name;
}

void MkDir(const std::string& path) {
    if (platform::CreateFolder(path)) return;
    const std::string parent = platform::FolderOf(path);
    if (!parent.empty() && platform::KindOf(parent) != PathKind::Folder) RaiseError(kPathNotFound);
    RaiseError(kPathFileAccessError);
}

}  // namespace kelvora::core
