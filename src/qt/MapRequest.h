#pragma once
#include <QWidget>

namespace kelvora::qt {

// Sees a shown window onto an X11 screen whatever the window manager's
// timing. A window manager that is starting up takes over the windows' map
// requests before it is ready to act on them, and openbox drops those that
// arrive in between: the window stays unmapped, with nobody left to map it.
// Until the window is mapped, or a window manager has taken it (it then
// carries WM_STATE, even where it keeps the window off the screen), the
// request is made again; a window manager that got the first one takes the
// next as a request to show a window it already has. Does nothing on other
// platforms.
void KeepRequestingMap(QWidget& window);

}  // namespace kelvora::qt
