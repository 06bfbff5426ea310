// The window routines over Qt, in screen pixels, at scale 1 and 2 (built
// under UBSan): a saved corner opens the window there and comes back
// unchanged, whatever size the record holds; a corner off every screen, up to
// the ends of the 32-bit range a hand-edited profile may hold, opens the
// window wholly on a screen with no step on the way overflowing.

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <limits>

#include "core/ModuleWin32API.h"
#include "qt/WindowHandles.h"

namespace win32api = kelvora::win32api;

class PlacementTest : public QObject {
    Q_OBJECT

  private slots:
    void placementInScreenPixels_data() {
        using Limits = std::numeric_limits<int>;
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<bool>("keptThere");
        QTest::newRow("normal") << QPoint(120, 60) << true;
        QTest::newRow("left of the screen's edge") << QPoint(-8, 30) << true;
        QTest::newRow("off every screen") << QPoint(-5000, 100000) << false;
        QTest::newRow("right end, top end") << QPoint(2147483000, Limits::min()) << false;
        QTest::newRow("left end, bottom end") << QPoint(Limits::min(), Limits::max()) << false;
        QTest::newRow("right and bottom ends") << QPoint(Limits::max(), Limits::max()) << false;
    }
    void placementInScreenPixels() {
        QFETCH(QPoint, saved);
        QFETCH(bool, keptThere);
        QWidget window(nullptr, Qt::Tool);
        window.setFixedSize(98, 27);
        const win32api::HWND handle = kelvora::qt::RegisterWindow(&window);
        win32api::WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        placement.showCmd = win32api::SW_SHOWNORMAL;
        placement.rcNormalPosition = {saved.x(), saved.y(), saved.x(), saved.y()};
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(win32api::SetWindowPlacement(handle, &placement), 1);
            QCOMPARE(win32api::GetWindowPlacement(handle, &placement), 1);
        }
        const win32api::RECT& frame = placement.rcNormalPosition;
        QCOMPARE(QSize(frame.right - frame.left, frame.bottom - frame.top),
                 window.frameGeometry().size() * window.devicePixelRatio());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(keptThere ? QPoint(frame.left, frame.top) == saved
                          : screen.contains(window.frameGeometry()));
        kelvora::qt::UnregisterWindow(handle);
    }
};

QTEST_MAIN(PlacementTest)
#include "PlacementTest.moc"
