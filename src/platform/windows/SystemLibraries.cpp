#include "platform/windows/SystemLibraries.h"

#include <string>

#include "platform/windows/LibraryRoutine.h"

namespace kelvora::platform {

void SearchSystemFolderOnly() {
    // By name: a static import would keep Kelvora.exe from starting at all on
    // a Windows 7 without the routine.
    using Routine = BOOL(WINAPI*)(DWORD);
    const auto restrict =
        LibraryRoutine<Routine>(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (restrict == nullptr || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) ::SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    // By name, so that an activation context can still pick the side-by-side
    // version of a library (the common controls).
    const HMODULE library = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library != nullptr) return library;
    // Windows 7 without the update refuses the flag as an invalid parameter.
    // The libraries the one loaded here needs are then looked for beside it,
    // in the system folder, not beside the executable.
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace kelvora::platform
