#pragma once
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// The density the design's pixel sizes are given for.
inline constexpr UINT kDesignDpi = 96;

// The design is in twips, 1440 to the inch, so a size scales with the dots
// per inch of the monitor the window is on, rounded to the nearest pixel.
inline int TwipsToPixels(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}

// A length given in pixels at 96 dpi, at `dpi`.
inline int ScaleFromDesign(int pixels, UINT dpi) {
    return ::MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

// The per-monitor routines came with Windows 10; older systems have one
// density for the whole screen, which is what these fall back to.
UINT DpiForWindow(HWND window);
UINT DpiForSystem();

// The outer size of a window whose client area is `client`, with the frame
// and caption sizes of `dpi`.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace kelvora::win32
