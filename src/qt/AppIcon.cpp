#include "qt/AppIcon.h"

#include <QPixmap>

#include "qt/Pictures.h"

namespace kelvora::qt {

QIcon AppIcon() {
    // The sizes a window manager shows; the desktop entry has a large one.
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addPixmap(QPixmap::fromImage(
            ReadBuiltInImage(QStringLiteral(":/kelvora/kelvora-%1.png").arg(size), "png")));
    }
    return icon;
}

}  // namespace kelvora::qt
