#include "qt/ColonLabel.h"

#include <QPainter>
#include <QPalette>

#include "core/ColonColour.h"
#include "qt/Colours.h"
#include "qt/Fonts.h"
#include "qt/Layout.h"

namespace kelvora::qt {

ColonLabel::ColonLabel() : font_(JapaneseGothic(layout::kLabelFontPixels)) {}

QString ColonLabel::Text() const { return QStringLiteral(":"); }

QRect ColonLabel::Geometry() const { return layout::kLabel1; }

QColor ColonLabel::TextColour(const QPalette& palette) {
    const QColor caption = palette.color(QPalette::Active, QPalette::HighlightedText);
    const core::Rgb colon = core::ColonColour(core::Rgb{static_cast<std::uint8_t>(caption.red()),
                                                        static_cast<std::uint8_t>(caption.green()),
                                                        static_cast<std::uint8_t>(caption.blue())});
    return QColor(colon.red, colon.green, colon.blue);
}

void ColonLabel::Paint(QPainter& painter, const QPalette& palette) const {
    painter.fillRect(Geometry(), colours::kStrip);
    painter.setPen(TextColour(palette));
    painter.setFont(font_);
    painter.drawText(Geometry(), Qt::AlignHCenter | Qt::AlignTop, Text());
}

}  // namespace kelvora::qt
