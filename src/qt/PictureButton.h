#pragma once
#include <QAbstractButton>
#include <QImage>
#include <QPixmap>

#include "core/Controls.h"

namespace kelvora::qt {

// The start/stop button: a black face with a picture in place of a caption,
// drawn flat (the pictures bring their own raised edge). Mouse clicks and
// Space click it; Enter and Escape are the window's business. A screen reader
// hears it named for what a press does now, 開始 or 停止, a name that changes
// with the picture.
class PictureButton final : public QAbstractButton, public core::PictureButton {
    Q_OBJECT

  public:
    explicit PictureButton(QWidget* parent);

    void SetPictureFromFile(const std::string& path, core::ButtonFace face) override;
    void SetBuiltInPicture(core::ButtonFace face) override;
    void SetFocus() override;

    // The picture as loaded, before masking.
    const QImage& Picture() const { return picture_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Show(const QImage& picture, core::ButtonFace face);

    QImage picture_;
    QPixmap masked_;
};

}  // namespace kelvora::qt
