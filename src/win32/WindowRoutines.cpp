// The window routines the logic calls by their Windows names, forwarded to
// user32. The logic's window handle is the real one, carried as a number.

#include <cstring>

#include "win32/SystemHeaders.h"

namespace kelvora::win32api {

namespace {

::HWND Native(HWND window) { return reinterpret_cast<::HWND>(window); }

static_assert(sizeof(::WINDOWPLACEMENT) == sizeof(WINDOWPLACEMENT),
              "the logic's placement record is the system's, byte for byte");

}  // namespace

std::int32_t SetWindowPos(HWND hWnd, HWND hWndInsertAfter, std::int32_t x, std::int32_t y,
                          std::int32_t cx, std::int32_t cy, std::uint32_t uFlags) {
    return ::SetWindowPos(Native(hWnd), Native(hWndInsertAfter), x, y, cx, cy, uFlags);
}

std::int32_t GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
    ::WINDOWPLACEMENT placement;
    std::memcpy(&placement, lpwndpl, sizeof(placement));
    const BOOL done = ::GetWindowPlacement(Native(hWnd), &placement);
    std::memcpy(static_cast<void*>(lpwndpl), &placement, sizeof(placement));
    return done;
}

std::int32_t SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
    ::WINDOWPLACEMENT placement;
    std::memcpy(&placement, lpwndpl, sizeof(placement));
    return ::SetWindowPlacement(Native(hWnd), &placement);
}

}  // namespace kelvora::win32api
