#pragma once
#include <QByteArray>

namespace kelvora::qt {

struct DisplayEnvironment {
    bool platformChosen = false;  // QT_QPA_PLATFORM is set
    bool wayland = false;         // WAYLAND_DISPLAY is set
    bool x11 = false;             // DISPLAY is set
};

// The platform to use instead of Qt's own choice, or empty for Qt's choice.
// No Wayland client can keep its window above others or place it, so where
// the session also offers X11 (XWayland) the window goes there; a choice the
// user made stands.
QByteArray PlatformOverride(const DisplayEnvironment& environment);

// Applies the override to this process, before the application starts.
void ChooseDisplayPlatform();

}  // namespace kelvora::qt
