#include "qt/PictureButton.h"

#include <QPainter>

#include "qt/Colours.h"
#include "qt/Layout.h"
#include "qt/Pictures.h"

namespace kelvora::qt {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette colours = palette();
    colours.setColor(QPalette::Button, colours::kButtonFace);
    setPalette(colours);
    Show(BuiltInPicture(core::ButtonFace::Go), core::ButtonFace::Go);
}

void PictureButton::SetPictureFromFile(const std::string& path, core::ButtonFace face) {
    Show(LoadPicture(path), face);
}

void PictureButton::SetBuiltInPicture(core::ButtonFace face) { Show(BuiltInPicture(face), face); }

void PictureButton::SetFocus() { setFocus(Qt::OtherFocusReason); }

QSize PictureButton::sizeHint() const { return layout::kCommand1.size(); }

void PictureButton::Show(const QImage& picture, core::ButtonFace face) {
    picture_ = picture;
    masked_ = MaskedPixmap(picture);
    setAccessibleName(face == core::ButtonFace::Stop ? QStringLiteral("停止")
                                                     : QStringLiteral("開始"));
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    // Centred at its own size and cut off at the edges, moved one pixel down
    // and right while pressed.
    QRect target(QPoint(0, 0), masked_.size());
    target.moveCenter(rect().center());
    if (isDown()) target.translate(1, 1);
    painter.setClipRect(rect());
    painter.drawPixmap(target, masked_);

    // The focus mark shows once the keyboard has moved the focus, as it does
    // on other desktop buttons.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

}  // namespace kelvora::qt
