#pragma once
// Libraries from the system folder only. Kelvora.exe is unpacked anywhere,
// typically into Downloads, where a stray uxtheme.dll or winmm.dll may lie
// beside it; Windows looks there first unless told otherwise.

#include <windows.h>

namespace kelvora::platform {

// For the whole process: every library loaded by name from now on, by the
// program or by the system's own libraries on its behalf (theme and window
// manager helpers, sound drivers, the input method), comes from the system
// folder. The first thing the program does. Where Windows 7 lacks the update
// that brought this, the current folder at least leaves the search.
void SearchSystemFolderOnly();

// A library of the system folder, loaded when first needed; null when it is
// missing. On Windows 7 without that update, by its full path, which passes
// over the side-by-side versions: the tips then have the older look.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace kelvora::platform
