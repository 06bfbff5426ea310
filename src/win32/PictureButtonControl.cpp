#include "win32/PictureButtonControl.h"

#include <cstring>

#include "win32/Accessibility.h"
#include "win32/Dpi.h"
#include "win32/ResourceIds.h"

namespace kelvora::win32 {

namespace {

BitmapHandle ToBitmap(const Picture& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(picture.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(picture.height);  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap) std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * 4);
    return bitmap;
}

}  // namespace

void PictureButtonControl::SetPictureFromFile(const std::string& path, core::ButtonFace face) {
    Show(LoadPictureFile(path), face);
}

void PictureButtonControl::SetBuiltInPicture(core::ButtonFace face) {
    const int id = face == core::ButtonFace::Go ? IDR_BUILTIN_GO : IDR_BUILTIN_STOP;
    Show(LoadPictureResource(::GetModuleHandleW(nullptr), id), face);
}

void PictureButtonControl::SetFocus() { ::SetFocus(button_); }

void PictureButtonControl::Show(Picture picture, core::ButtonFace face) {
    ApplyMaskColour(picture, kMaskColour, kFaceColour);
    bitmap_ = picture.Empty() ? nullptr : ToBitmap(picture);
    picture_ = std::move(picture);
    if (button_ == nullptr) return;
    ::InvalidateRect(button_, nullptr, TRUE);
    // With the picture, so that the name a screen reader reads never lags it.
    ::SetWindowTextW(button_, AccessibleNameFor(face));
}

void PictureButtonControl::Draw(const DRAWITEMSTRUCT& item, UINT dpi) const {
    const RECT& face = item.rcItem;
    static_assert(kFaceColour == RGB(0, 0, 0), "the face is the stock black brush");
    ::FillRect(item.hDC, &face, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));

    if (bitmap_) {
        const int width = ScaleFromDesign(static_cast<int>(picture_.width), dpi);
        const int height = ScaleFromDesign(static_cast<int>(picture_.height), dpi);
        int x = face.left + (face.right - face.left - width) / 2;
        int y = face.top + (face.bottom - face.top - height) / 2;
        if ((item.itemState & ODS_SELECTED) != 0) {
            // Pushed in: the picture moves down and to the right.
            x += ScaleFromDesign(1, dpi);
            y += ScaleFromDesign(1, dpi);
        }
        const MemoryDc source(::CreateCompatibleDC(item.hDC));
        const SelectGuard selected(source.get(), bitmap_.get());
        ::SetStretchBltMode(item.hDC, COLORONCOLOR);
        ::StretchBlt(item.hDC, x, y, width, height, source.get(), 0, 0,
                     static_cast<int>(picture_.width), static_cast<int>(picture_.height), SRCCOPY);
    }

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = face;
        const int inset = ScaleFromDesign(3, dpi);
        ::InflateRect(&focus, -inset, -inset);
        ::DrawFocusRect(item.hDC, &focus);
    }
}

}  // namespace kelvora::win32
