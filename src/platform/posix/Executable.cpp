#include "platform/Executable.h"

#include <errno.h>  // program_invocation_name

#include <filesystem>
#include <system_error>

namespace kelvora::platform {

namespace {

// Linux paths are bytes; they are handed on as they are, which is UTF-8 on any
// system set up for it. Changing them would name a different file.
std::filesystem::path ExecutablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return path;
    // No /proc (a chroot, say): the name the program was started by.
    return std::filesystem::absolute(program_invocation_name, error);
}

}  // namespace

std::string ExecutableFolder() {
    const std::filesystem::path folder = ExecutablePath().parent_path();
    return folder.empty() ? std::string("/") : folder.string();
}

std::string ExecutableBaseName() { return ExecutablePath().stem().string(); }

}  // namespace kelvora::platform
