// user32's window routines over Qt, for the one window the logic places.
//
// Rectangles are outer frames in screen pixels, as on Windows. The window
// manager adds the frame only when the window is first shown, so until then
// the frame is the client area at the position the window will get: a window
// that has never been shown reports no frame margins. Qt places a window by
// its frame's top-left corner (the window manager keeps it there when it adds
// the frame), so a placement saved at close and applied at the next start
// opens the window where it was and saves the same numbers again.
//
// A window that nobody has placed yet has no position of its own: the window
// manager chooses one when it maps the window. Until then its corner reads as
// CW_USEDEFAULT, the value with which Windows leaves a new window's position
// to the system, and a record that still holds it leaves the window to the
// window manager. Any other corner, the screen's own (0, 0) among them, is
// applied.

#include <QWindow>
#include <limits>

#include "core/ModuleWin32API.h"
#include "qt/ScreenPixels.h"
#include "qt/WindowHandles.h"

namespace kelvora::win32api {
namespace {

constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);
constexpr std::uint32_t SWP_NOZORDER = 0x0004;
constexpr std::int32_t CW_USEDEFAULT = std::numeric_limits<std::int32_t>::min();

bool PlacedBefore(const QWidget* window) {
    return window->isVisible() || window->testAttribute(Qt::WA_Moved);
}

void SetStaysOnTop(QWidget* window, bool onTop) {
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
    if (QWindow* native = window->windowHandle()) {
        // A window that exists already changes in place; QWidget's own route
        // would hide it.
        native->setFlag(Qt::WindowStaysOnTopHint, onTop);
        window->overrideWindowFlags(native->flags());
    } else {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

std::uint32_t ShowCommandOf(const QWidget* window) {
    if (window->isMinimized()) return SW_SHOWMINIMIZED;
    if (window->isMaximized()) return SW_SHOWMAXIMIZED;
    return SW_SHOWNORMAL;
}

// The size of the window with its frame. Before the window manager has framed
// the window, a generous allowance for a title bar and borders stands in, so
// that a window brought back onto a screen is not framed past its edge.
QSize FrameSize(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    if (frame != window->geometry()) return frame.size();
    constexpr QSize kDecorationAllowance(16, 40);
    return frame.size() + kDecorationAllowance;
}

RECT ToRect(const QRect& rect) {
    return RECT{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

}  // namespace

std::int32_t SetWindowPos(HWND hWnd, HWND hWndInsertAfter, std::int32_t x, std::int32_t y,
                          std::int32_t /*cx*/, std::int32_t /*cy*/, std::uint32_t uFlags) {
    QWidget* window = qt::WindowFromHandle(hWnd);
    if (window == nullptr) return 0;
    if ((uFlags & SWP_NOZORDER) == 0) {
        if (hWndInsertAfter == HWND_TOPMOST) SetStaysOnTop(window, true);
        if (hWndInsertAfter == HWND_NOTOPMOST) SetStaysOnTop(window, false);
    }
    if ((uFlags & SWP_NOMOVE) == 0) window->move(qt::FromScreenPixels(QPoint(x, y)));
    // The window has a fixed size: a new one is never applied.
    return 1;
}

std::int32_t GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
    QWidget* window = qt::WindowFromHandle(hWnd);
    if (window == nullptr || lpwndpl == nullptr || lpwndpl->length != sizeof(WINDOWPLACEMENT)) {
        return 0;
    }
    lpwndpl->flags = 0;
    lpwndpl->showCmd = ShowCommandOf(window);
    lpwndpl->ptMinPosition = POINT{-1, -1};
    lpwndpl->ptMaxPosition = POINT{-1, -1};
    const QRect frame = qt::ToScreenPixels(window->frameGeometry());
    lpwndpl->rcNormalPosition =
        PlacedBefore(window) ? ToRect(frame)
                             : ToRect(QRect(QPoint(CW_USEDEFAULT, CW_USEDEFAULT), frame.size()));
    return 1;
}

std::int32_t SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
    QWidget* window = qt::WindowFromHandle(hWnd);
    if (window == nullptr || lpwndpl == nullptr || lpwndpl->length != sizeof(WINDOWPLACEMENT)) {
        return 0;
    }
    // Whatever the record's size, the window keeps its own. A corner with only
    // one edge left to the system goes onto the screen's edge on that side.
    const RECT& normal = lpwndpl->rcNormalPosition;
    if (normal.left != CW_USEDEFAULT || normal.top != CW_USEDEFAULT) {
        window->move(qt::FramePosition(normal.left, normal.top, FrameSize(window)));
    }
    // Minimized, maximized and hidden all open as normal: the window has no
    // taskbar entry to be restored from and no frame that could be maximized.
    window->showNormal();
    return 1;
}

}  // namespace kelvora::win32api
