// A hand-edited profile may hold any 32-bit corner: the window still opens
// wholly on a screen, and no step on the way overflows (built under UBSan).

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <limits>

#include "qt/ScreenPixels.h"

class PlacementTest : public QObject {
    Q_OBJECT

  private slots:
    void farCornerOpensWhollyOnAScreen_data() {
        constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("right end, top end") << 2147483000 << kMin;
        QTest::newRow("left end, bottom end") << kMin << kMax;
        QTest::newRow("both at the right and bottom end") << kMax << kMax;
        QTest::newRow("both at the left and top end") << kMin << kMin;
    }
    void farCornerOpensWhollyOnAScreen() {
        QFETCH(int, left);
        QFETCH(int, top);
        const QSize frame(114, 67);
        const QRect placed(kelvora::qt::FramePosition(left, top, frame), frame);
        QVERIFY2(QGuiApplication::primaryScreen()->availableGeometry().contains(placed),
                 qPrintable(QStringLiteral("%1,%2").arg(placed.x()).arg(placed.y())));
    }
};

QTEST_MAIN(PlacementTest)
#include "PlacementTest.moc"
