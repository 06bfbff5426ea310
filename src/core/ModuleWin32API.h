#pragma once
// The Windows routines the form and its modules call, by their Windows names.
// On Windows they forward to the system (src/win32 and src/platform); elsewhere
// this project provides them (profile and sound in src/platform, the window
// routines in the front end). Text is UTF-8 on this side of the boundary.

#include <cstdint>
#include <string>

namespace kelvora::win32api {

// A window as the logic sees it: an opaque number the front end hands out.
using HWND = std::uintptr_t;

struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct WINDOWPLACEMENT {
    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 0;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the placement record is 44 bytes on Windows");

inline constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;

inline constexpr std::uint32_t SW_HIDE = 0;
inline constexpr std::uint32_t SW_SHOWNORMAL = 1;
inline constexpr std::uint32_t SW_SHOWMINIMIZED = 2;
inline constexpr std::uint32_t SW_SHOWMAXIMIZED = 3;

inline constexpr std::uint32_t SND_LOOP = 0x0008;

// user32
std::int32_t SetWindowPos(HWND hWnd, HWND hWndInsertAfter, std::int32_t x, std::int32_t y,
                          std::int32_t cx, std::int32_t cy, std::uint32_t uFlags);
std::int32_t GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl);
std::int32_t SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl);

// kernel32. Returns the number of bytes copied into lpReturnedString, without
// the terminating NUL; at most nSize - 1.
std::uint32_t GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                       const char* lpDefault, char* lpReturnedString,
                                       std::uint32_t nSize, const char* lpFileName);
std::int32_t WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                        const char* lpString, const char* lpFileName);

// winmm. Plays the file once and returns when it has finished; returns at once
// when there is no file or no audio device.
std::int32_t PlaySoundA(const char* pszSound, std::uintptr_t hmod, std::uint32_t fdwSound);

}  // namespace kelvora::win32api
