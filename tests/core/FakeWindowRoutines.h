#pragma once
#include <string>
#include <vector>

#include "core/ModuleWin32API.h"

namespace kelvora::test {

// The window the logic positions: what the window routines were asked to do.
struct FakeWindow {
    win32api::WINDOWPLACEMENT placement;
    std::vector<std::string> calls;  // "SetWindowPos topmost", "SetWindowPlacement", ...
};

// Resets the window to a normal one at (10, 20)-(130, 80).
FakeWindow& ResetFakeWindow();
FakeWindow& Window();

}  // namespace kelvora::test
