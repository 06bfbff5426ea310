// The window routines the logic calls by their Windows names, forwarded to
// user32. The logic's window handle is the real one, carried as a number.

#include <cstdint>
#include <cstring>

#include "win32/SystemHeaders.h"

namespace kelvora::win32api {

namespace {

::HWND Native(HWND window) { return reinterpret_cast<::HWND>(window); }

// A left or top edge moved just far enough that `extent` more still fits in
// 32 bits.
LONG FitEdge(LONG edge, std::int64_t extent) {
    const std::int64_t last = std::int64_t{INT32_MAX} - extent;
    return static_cast<LONG>(std::int64_t{edge} > last ? last : edge);
}

static_assert(sizeof(::WINDOWPLACEMENT) == sizeof(WINDOWPLACEMENT),
              "the logic's placement record is the system's, byte for byte");

}  // namespace

// A window not shown yet is not activated: the show that follows activates it
// anyway, and activating it before that costs a round of focus messages (some
// 6 ms under Wine, before the window can appear) for a window that cannot yet
// take the keyboard.
std::int32_t SetWindowPos(HWND hWnd, HWND hWndInsertAfter, std::int32_t x, std::int32_t y,
                          std::int32_t cx, std::int32_t cy, std::uint32_t uFlags) {
    if (!::IsWindowVisible(Native(hWnd))) uFlags |= SWP_NOACTIVATE;
    return ::SetWindowPos(Native(hWnd), Native(hWndInsertAfter), x, y, cx, cy, uFlags);
}

std::int32_t GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
    ::WINDOWPLACEMENT placement;
    std::memcpy(&placement, lpwndpl, sizeof(placement));
    const BOOL done = ::GetWindowPlacement(Native(hWnd), &placement);
    std::memcpy(static_cast<void*>(lpwndpl), &placement, sizeof(placement));
    return done;
}

// The window opens normal, whatever state was saved: minimized, a tool window
// without a taskbar button would lie out of reach at (-32000, -32000), and
// maximized it would be a black rectangle the size of the screen. The
// window's size is its own: a rectangle of another size (edited by hand,
// or saved at another density) keeps only its position. The system moves a
// rectangle that lies off every screen back onto one, and it must move one of
// the real window's size for the whole window to end up visible. Edges near
// the ends of the 32-bit range are computed in 64 bits and the rectangle is
// kept inside that range.
std::int32_t SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
    ::WINDOWPLACEMENT placement;
    std::memcpy(&placement, lpwndpl, sizeof(placement));
    placement.showCmd = SW_SHOWNORMAL;
    placement.flags &= ~static_cast<UINT>(WPF_RESTORETOMAXIMIZED);
    ::WINDOWPLACEMENT current{};
    current.length = sizeof(current);
    if (::GetWindowPlacement(Native(hWnd), &current)) {
        const ::RECT& own = current.rcNormalPosition;
        ::RECT& normal = placement.rcNormalPosition;
        normal.left = FitEdge(normal.left, std::int64_t{own.right} - own.left);
        normal.top = FitEdge(normal.top, std::int64_t{own.bottom} - own.top);
        normal.right = static_cast<LONG>(std::int64_t{normal.left} + own.right - own.left);
        normal.bottom = static_cast<LONG>(std::int64_t{normal.top} + own.bottom - own.top);
    }
    return ::SetWindowPlacement(Native(hWnd), &placement);
}

}  // namespace kelvora::win32api
