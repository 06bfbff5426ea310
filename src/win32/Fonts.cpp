#include "win32/Fonts.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace kelvora::win32 {

namespace {

const wchar_t kGothic[] = L"ＭＳ ゴシック";

// The fixed-pitch faces the system has in `charset`, without the faces for
// vertical writing ("@" before the name).
std::vector<GothicFace> FixedPitchFaces(BYTE charset) {
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    std::vector<GothicFace> faces;
    const HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
            auto& list = *reinterpret_cast<std::vector<GothicFace>*>(found);
            if ((font->lfPitchAndFamily & 0x3) == FIXED_PITCH && font->lfFaceName[0] != L'@') {
                list.push_back(GothicFace{font->lfFaceName, font->lfCharSet});
            }
            return 1;
        },
        reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, screen);
    return faces;
}

// Under either of its names, as the system reports the face it gave.
bool IsTheGothic(HFONT font) {
    const HDC screen = ::GetDC(nullptr);
    wchar_t name[LF_FACESIZE]{};
    {
        const SelectGuard selected(screen, font);
        ::GetTextFaceW(screen, LF_FACESIZE, name);
    }
    ::ReleaseDC(nullptr, screen);
    return std::wcscmp(name, kGothic) == 0 || std::wcscmp(name, L"MS Gothic") == 0;
}

// The Gothic itself always serves, whatever its digits measure.
bool Serves(const GothicFace& face, int pixelHeight) {
    const FontHandle font = CreateGothicFont(face, pixelHeight);
    if (IsTheGothic(font.get())) return true;
    const int width = FixedPitchDigitWidth(font.get());
    return width > 0 && width <= GothicDigitWidth(pixelHeight);
}

}  // namespace

int FixedPitchDigitWidth(HFONT font) {
    const HDC screen = ::GetDC(nullptr);
    int widest = 0;
    {
        const SelectGuard selected(screen, font);
        TEXTMETRICW metrics{};
        INT widths[10]{};
        // The pitch bit is set for a face that is not fixed-pitch.
        if (::GetTextMetricsW(screen, &metrics) &&
            (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0 &&
            ::GetCharWidth32W(screen, L'0', L'9', widths)) {
            widest = *std::max_element(std::begin(widths), std::end(widths));
        }
    }
    ::ReleaseDC(nullptr, screen);
    return widest;
}

GothicFace ChooseGothicFace(int pixelHeight) {
    const GothicFace gothic{kGothic, SHIFTJIS_CHARSET};
    if (Serves(gothic, pixelHeight)) return gothic;
    for (const BYTE charset : {BYTE{SHIFTJIS_CHARSET}, BYTE{DEFAULT_CHARSET}}) {
        for (const GothicFace& face : FixedPitchFaces(charset)) {
            if (Serves(face, pixelHeight)) return face;
        }
    }
    // None fits: the system's choice, as before.
    return gothic;
}

FontHandle CreateGothicFont(const GothicFace& face, int pixelHeight) {
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;  // negative: the character height, as a point size gives it
    font.lfWeight = FW_BOLD;
    font.lfCharSet = face.charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::wcsncpy(font.lfFaceName, face.name.c_str(), LF_FACESIZE - 1);
    return FontHandle(::CreateFontIndirectW(&font));
}

}  // namespace kelvora::win32
