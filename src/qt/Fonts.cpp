#include "qt/Fonts.h"

#include <QStringList>

namespace kelvora::qt {

QFont JapaneseGothic(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic"),
                      QStringLiteral("TakaoGothic"), QStringLiteral("Sazanami Gothic")});
    // If none of them is installed, fontconfig still picks a monospaced face.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

}  // namespace kelvora::qt
