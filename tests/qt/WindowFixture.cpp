#include "WindowFixture.h"

#include <QTest>

#include "qt/FormTimerWindow.h"

namespace kelvora::test {

bool LoadAndActivate(qt::FormTimerWindow& window) {
    window.Load();
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QImage Snapshot(qt::FormTimerWindow& window) {
    QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image.scaled(window.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++count;
        }
    }
    return count;
}

}  // namespace kelvora::test
