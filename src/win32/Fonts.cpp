#include "win32/Fonts.h"

#include <cwchar>

namespace kelvora::win32 {

FontHandle CreateGothicFont(int pixelHeight) {
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;  // negative: the character height, as a point size gives it
    font.lfWeight = FW_BOLD;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::wcsncpy(font.lfFaceName, L"ＭＳ ゴシック", LF_FACESIZE - 1);
    return FontHandle(::CreateFontIndirectW(&font));
}

}  // namespace kelvora::win32
