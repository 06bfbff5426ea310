#pragma once
#include <string>

namespace kelvora::core {

// What the program knows of itself: the executable's folder and base name and
// the title its message boxes carry. Filled from the running executable the
// first time it is asked for; tests point it at a folder of their own.
struct AppInfo {
    std::string Path;
    std::string EXEName;
    std::string Title = "Kelvora";
};

AppInfo& App();

}  // namespace kelvora::core
