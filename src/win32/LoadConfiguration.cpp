// Kelvora.exe's load configuration: the executable's header points at a
// structure of this name (see CMakeLists.txt). The one field set tells
// Windows 10 (version 1607) and later to take the libraries the executable
// imports from the system folder only, before any of its code runs. Those
// are all Known DLLs, which come from there anyway, but what they pull in
// need not be. Older systems ignore the field.

#include <windows.h>

namespace {

// DependentLoadFlags goes by its older name, Reserved1, in these headers.
constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 WithDependentLoadFlags(WORD flags) {
    IMAGE_LOAD_CONFIG_DIRECTORY64 configuration{};
    configuration.Size = sizeof(configuration);
    configuration.Reserved1 = flags;
    return configuration;
}

}  // namespace

extern "C" {
extern const IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used;
constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used =
    WithDependentLoadFlags(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
