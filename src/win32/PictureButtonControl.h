#pragma once
#include <string>
#include <utility>

#include "core/Controls.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

namespace kelvora::win32 {

// Command1: a push button that shows a picture in place of a caption, drawn by
// its owner on a black face, with black pixels of the picture not drawn. Its
// window text, never drawn, names for screen readers what a press will do.
class PictureButtonControl final : public core::PictureButton {
  public:
    static constexpr COLORREF kFaceColour = RGB(0, 0, 0);
    static constexpr COLORREF kMaskColour = RGB(0, 0, 0);

    void Attach(HWND button) { button_ = button; }
    HWND Handle() const { return button_; }
    void SetPictureFromFile(const std::string& path, core::ButtonFace face) override;
    void SetBuiltInPicture(core::ButtonFace face) override;
    void SetFocus() override;

    // The picture as shown, after the mask colour has been applied.
    const Picture& Shown() const { return picture_; }

    // WM_DRAWITEM: the picture centred, at the window's density, with nearest
    // neighbour scaling so that its pixel edges stay crisp.
    void Draw(const DRAWITEMSTRUCT& item, UINT dpi) const;

  private:
    void Show(Picture picture, core::ButtonFace face);

    HWND button_ = nullptr;  // not ours: the form destroys its children
    Picture picture_;
    BitmapHandle bitmap_;
};

}  // namespace kelvora::win32
