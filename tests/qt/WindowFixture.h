#pragma once
#include <QImage>
#include <QRect>

namespace kelvora::qt {
class FormTimerWindow;
}

namespace kelvora::test {

// Raises the load event, shows the window as the program does, and waits
// until it is the active window, so that keys and focus behave as for a user.
bool LoadAndActivate(qt::FormTimerWindow& window);

// The window as it is on screen, one image pixel per logical pixel.
QImage Snapshot(qt::FormTimerWindow& window);

// The pixels of the area that have exactly this colour.
int CountColour(const QImage& image, const QRect& area, QRgb colour);

}  // namespace kelvora::test
