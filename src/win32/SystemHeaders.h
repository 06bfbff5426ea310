#pragma once
// windows.h for the front end; every file of it includes this first, by way
// of its own header. windows.h defines some of the logic's names as macros
// (SW_HIDE, HWND_TOPMOST, SND_LOOP, MessageBox), so the logic's declarations
// are read before it, and MessageBox is undefined after it.

#include "core/Controls.h"
#include "core/ModuleWin32API.h"

// clang-format off
#include <windows.h>
// clang-format on

// The logic has a class named MessageBox; the front end calls MessageBoxW by
// its own name.
#undef MessageBox
