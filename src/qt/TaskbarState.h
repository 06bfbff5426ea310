#pragma once
#include <QWidget>

namespace kelvora::qt {

enum class WindowMapped { No, Yes };

// Keeps a window off taskbars and pagers on an X11 desktop. Qt types a tool
// window as a utility window, which many taskbars list all the same; those
// that follow the desktop's window-state conventions leave out a window
// that carries the skip-taskbar and skip-pager states. Qt rewrites the state
// of an unmapped window when it sets its stays-on-top state, keeping what
// others put there, and asks the window manager for a mapped one, so the
// states set here stay beside Qt's own. Does nothing on other platforms.
void KeepOffTaskbar(const QWidget& window, WindowMapped mapped);

}  // namespace kelvora::qt
