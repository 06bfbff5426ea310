#include "win32/Layout.h"

#include "win32/Dpi.h"

namespace kelvora::win32 {

namespace {

// A font size in hundredths of a point as a pixel height: 72 points an inch.
int FontPixels(int centipoints, UINT dpi) {
    return ::MulDiv(centipoints, static_cast<int>(dpi), 72 * 100);
}

}  // namespace

RECT PixelRect(const TwipRect& twips, UINT dpi) {
    return RECT{TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
                TwipsToPixels(twips.left + twips.width, dpi),
                TwipsToPixels(twips.top + twips.height, dpi)};
}

FormLayout LayoutAt(UINT dpi) {
    FormLayout layout{};
    layout.client =
        SIZE{TwipsToPixels(design::kClientWidth, dpi), TwipsToPixels(design::kClientHeight, dpi)};
    layout.command1 = PixelRect(design::kCommand1, dpi);
    layout.txtSS = PixelRect(design::kTxtSS, dpi);
    layout.txtMM = PixelRect(design::kTxtMM, dpi);
    layout.label1 = PixelRect(design::kLabel1, dpi);
    layout.fieldFontHeight = FontPixels(design::kFieldFontSize, dpi);
    layout.labelFontHeight = FontPixels(design::kLabelFontSize, dpi);
    return layout;
}

}  // namespace kelvora::win32
