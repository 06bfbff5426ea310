#pragma once
#include <string>

#include "win32/Handles.h"

namespace kelvora::win32 {

// A face for the fields and the label, and the character set to ask it in.
struct GothicFace {
    std::wstring name;
    BYTE charset;
};

// The width the Gothic face gives each digit at `pixelHeight`: half the
// character height, as every half-width character of it has, and one pixel
// more for the bold. Three fit txtMM and two fit txtSS at every density.
constexpr int GothicDigitWidth(int pixelHeight) { return (pixelHeight + 1) / 2 + 1; }

// "ＭＳ ゴシック" in Shift-JIS where Windows has it. It is an optional feature
// outside Japanese Windows, and where it is missing the system may give a
// face that is not fixed-pitch, or one whose digits push the third one out of
// txtMM. What the system gives serves when it is fixed-pitch and its digits
// are no wider than the Gothic's at `pixelHeight`; else the first such face,
// a Japanese one if any fits, else any other; else, as a last resort, the
// system's choice after all.
GothicFace ChooseGothicFace(int pixelHeight);

// Bold, at a character height of `pixelHeight`.
FontHandle CreateGothicFont(const GothicFace& face, int pixelHeight);

// The widest of the ten digits in `font`; 0 when it is not fixed-pitch.
int FixedPitchDigitWidth(HFONT font);

}  // namespace kelvora::win32
