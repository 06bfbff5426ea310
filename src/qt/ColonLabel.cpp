#include "qt/ColonLabel.h"

#include <QPainter>

#include "qt/Colours.h"
#include "qt/Fonts.h"
#include "qt/Layout.h"

namespace kelvora::qt {

ColonLabel::ColonLabel(QWidget* parent) : QWidget(parent) {
    setFont(JapaneseGothic(layout::kLabelFontPixels));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString ColonLabel::Text() const { return QStringLiteral(":"); }

QColor ColonLabel::TextColour() const {
    return palette().color(QPalette::Active, QPalette::HighlightedText);
}

void ColonLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colours::kStrip);
    painter.setPen(TextColour());
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, Text());
}

}  // namespace kelvora::qt
