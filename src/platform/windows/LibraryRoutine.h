#pragma once
// A routine of a system library, looked up by name: for a library loaded only
// when first needed, or a routine that older versions of Windows lack.

#include <windows.h>

namespace kelvora::platform {

// Null when the library or the routine is missing.
template <typename Function>
Function LibraryRoutine(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    // Through a generic function type: FARPROC and the real type differ.
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

}  // namespace kelvora::platform
