#pragma once
#include <string>

#include "core/ModuleWin32API.h"

namespace kelvora::core {

// The profile file: "<executable's folder>/Data/<base name>.ini".
std::string GetIniFilePath();

// Stores the window's normal rectangle and show state in section "WinPos".
void SaveWindowPos(const win32api::HWND& hWnd);

// Applies the stored placement; keys that are missing keep the window's current
// values. Raises 13 or 6 when a stored value is not a 32-bit number, and then
// leaves the window where it is.
void LoadWindowPos(const win32api::HWND& hWnd);

}  // namespace kelvora::core
