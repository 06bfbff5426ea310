#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

namespace kelvora::qt {

// Qt places windows in logical pixels; the saved placement is in the screen's
// own pixels, which differ where Qt scales a dense screen. Each screen keeps
// its top-left corner in both systems and scales what lies right and below.
QRect ToScreenPixels(const QRect& logical);
QPoint FromScreenPixels(const QPoint& screenPixels);

// Where a window frame of this size goes, in logical pixels, for a top-left
// corner in screen pixels: there, when the frame would meet some screen;
// otherwise onto the nearest screen's work area, wholly. A hand-edited profile
// may hold any 32-bit corner, so nothing here is computed in 32 bits.
QPoint FramePosition(std::int32_t left, std::int32_t top, QSize frame);

}  // namespace kelvora::qt
