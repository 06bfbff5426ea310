#include "qt/AppIcon.h"

namespace kelvora::qt {

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/kelvora/kelvora-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace kelvora::qt
