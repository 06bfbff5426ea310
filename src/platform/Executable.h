#pragma once
#include <string>

namespace kelvora::platform {

// The folder that holds the running executable, UTF-8, without a trailing
// separator unless it is a root folder.
std::string ExecutableFolder();

// The executable's file name without its extension ("Kelvora" for Kelvora.exe).
std::string ExecutableBaseName();

}  // namespace kelvora::platform
