// user32's window routines over Qt, for the one window the logic places.
//
// Rectangles are outer frames in screen pixels, as on Windows. The window
// manager adds the frame only when the window is first shown, so until then
// the frame is the client area at the position the window will get: a window
// that has never been shown reports no frame margins. Qt places a window by
// its frame's top-left corner (the window manager keeps it there when it adds
// the frame), so a placement saved at close and applied at the next start
// opens the window where it was and saves the same numbers again.

#include <QWindow>

#include "core/ModuleWin32API.h"
#include "qt/ScreenPixels.h"
#include "qt/WindowHandles.h"

namespace kelvora::win32api {
namespace {

constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);
constexpr std::uint32_t SWP_NOZORDER = 0x0004;

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
    lpwndpl->rcNormalPosition = ToRect(qt::ToScreenPixels(window->frameGeometry()));
    return 1;
}

std::int32_t SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
    QWidget* window = qt::WindowFromHandle(hWnd);
    if (window == nullptr || lpwndpl == nullptr || lpwndpl->length != sizeof(WINDOWPLACEMENT)) {
        return 0;
    }
    const QRect current = window->frameGeometry();
    // Whatever the record's size, the window keeps its own.
    const QPoint wanted = qt::FramePosition(lpwndpl->rcNormalPosition.left,
                                            lpwndpl->rcNormalPosition.top, FrameSize(window));
    // A window not yet placed by anyone is left where the system will put it
    // when it is given back its own placement.
    const bool placedBefore = window->isVisible() || window->testAttribute(Qt::WA_Moved);
    if (placedBefore || wanted != current.topLeft()) window->move(wanted);
    // Minimized, maximized and hidden all open as normal: the window has no
    // taskbar entry to be restored from and no frame that could be maximized.
    window->showNormal();
    return 1;
}

}  // namespace kelvora::win32api
