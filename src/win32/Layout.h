#pragma once
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// Where a control lies on the form, in twips.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// The form as designed, in twips (15 to a pixel at 96 dpi), and its fonts in
// hundredths of a point.
namespace design {
inline constexpr int kClientWidth = 1470;
inline constexpr int kClientHeight = 405;
inline constexpr TwipRect kCommand1{1110, 10, 360, 360};
inline constexpr TwipRect kTxtSS{720, 60, 345, 315};
inline constexpr TwipRect kTxtMM{60, 60, 495, 315};
inline constexpr TwipRect kLabel1{540, 60, 195, 315};
inline constexpr int kFieldFontSize = 1425;  // 14.25 pt
inline constexpr int kLabelFontSize = 1575;  // 15.75 pt
}  // namespace design

// The form at one density, in pixels.
struct FormLayout {
    SIZE client;
    RECT command1;
    RECT txtSS;
    RECT txtMM;
    RECT label1;
    int fieldFontHeight;  // character height, without internal leading
    int labelFontHeight;
};

// Edges are rounded rather than sizes, so that controls that meet in twips
// still meet in pixels and the button stays flush with the right edge.
RECT PixelRect(const TwipRect& twips, UINT dpi);

FormLayout LayoutAt(UINT dpi);

}  // namespace kelvora::win32
