#pragma once
#include <QPoint>
#include <QRect>

namespace kelvora::qt {

// Qt places windows in logical pixels; the saved placement is in the screen's
// own pixels, which differ where Qt scales a dense screen. Each screen keeps
// its top-left corner in both systems and scales what lies right and below.
QRect ToScreenPixels(const QRect& logical);
QPoint FromScreenPixels(const QPoint& screenPixels);

// A window frame of this position and size, moved onto the nearest screen's
// work area when it lies wholly outside every screen; unchanged otherwise.
QRect OntoSomeScreen(const QRect& frame);

}  // namespace kelvora::qt
