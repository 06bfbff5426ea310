#pragma once
// Where everything sits in the countdown window. The form is designed in
// twips; 15 twips make one pixel at 96 dpi, and Qt's logical pixels are those
// pixels, scaled by Qt on a denser screen.

#include <QRect>
#include <QSize>

namespace kelvora::qt::layout {

inline constexpr int kTwipsPerPixel = 15;

constexpr QRect FromTwips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

inline constexpr QSize kClientArea(1470 / kTwipsPerPixel, 405 / kTwipsPerPixel);

inline constexpr QRect kCommand1 = FromTwips(1110, 10, 360, 360);
inline constexpr QRect kTxtSS = FromTwips(720, 60, 345, 315);
inline constexpr QRect kTxtMM = FromTwips(60, 60, 495, 315);
inline constexpr QRect kLabel1 = FromTwips(540, 60, 195, 315);

// Font sizes in pixels: 14.25 pt and 15.75 pt at 96 dpi.
inline constexpr int kFieldFontPixels = 19;
inline constexpr int kLabelFontPixels = 21;

inline constexpr int kTimer1IntervalMs = 1000;

}  // namespace kelvora::qt::layout
