#pragma once
#include <QColor>

namespace kelvora::qt::colours {

inline const QColor kWindowBackground(0, 0, 0);
inline const QColor kStrip(0, 0, 64);  // the fields and the colon: one dark blue strip
inline const QColor kDigits(255, 255, 255);
inline const QColor kButtonFace(0, 0, 0);
// Pixels of this colour in a button picture are not drawn; the face shows.
inline const QColor kMask(0, 0, 0);

}  // namespace kelvora::qt::colours
