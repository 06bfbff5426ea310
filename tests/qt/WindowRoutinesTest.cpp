// The window routines over Qt, through the load and the close as the program
// runs them: a placement saved in the profile file opens the window there, in
// screen pixels, and comes back unchanged. Run at scale 1 and at scale 2.

#include <QGuiApplication>
#include <QScreen>

#include "Fixture.h"
#include "core/ModuleWin32API.h"

using kelvora::qt::FormTimerWindow;
using namespace kelvora::test;
namespace win32api = kelvora::win32api;

namespace {

qreal Scale() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

win32api::WINDOWPLACEMENT PlacementOf(const FormTimerWindow& window) {
    win32api::WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    win32api::GetWindowPlacement(window.hWnd(), &placement);
    return placement;
}

}  // namespace

class WindowRoutinesTest : public QObject {
    Q_OBJECT

  private slots:
    void savedPlacementOpensAndSavesUnchanged_data() {
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QPoint>("opensAt");  // screen pixels
        QTest::addColumn<int>("savedRight");  // -1: left + the window's width
        QTest::newRow("normal") << Profile(120, 0, 60, 0, 1) << QPoint(120, 60) << -1;
        QTest::newRow("size in the file is not applied")
            << Profile(200, 900, 100, 700, 1) << QPoint(200, 100) << -1;
        QTest::newRow("minimized opens normal") << Profile(40, 0, 20, 0, 2) << QPoint(40, 20) << -1;
        QTest::newRow("maximized opens normal") << Profile(40, 0, 20, 0, 3) << QPoint(40, 20) << -1;
        QTest::newRow("hidden opens normal") << Profile(40, 0, 20, 0, 0) << QPoint(40, 20) << -1;
        QTest::newRow("negative left") << Profile(-8, 0, 30, 0, 1) << QPoint(-8, 30) << -1;
    }
    void savedPlacementOpensAndSavesUnchanged() {
        QFETCH(QByteArray, saved);
        QFETCH(QPoint, opensAt);
        AppFolder folder;
        folder.Write(QStringLiteral("Data/Kelvora.ini"), saved);
        FormTimerWindow window;
        window.Load();
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized() && !window.isMaximized());
        QCOMPARE(window.windowTitle(), QStringLiteral("  Kelvora"));
        QCOMPARE(window.size(), QSize(98, 27));
        const win32api::RECT opened = PlacementOf(window).rcNormalPosition;
        QCOMPARE(QPoint(opened.left, opened.top), opensAt);
        QCOMPARE(PlacementOf(window).showCmd, win32api::SW_SHOWNORMAL);
        // The outer frame, as the platform decorates the window.
        const int width = qRound(window.frameGeometry().width() * Scale());
        const int height = qRound(window.frameGeometry().height() * Scale());

        window.close();
        QCOMPARE(folder.Read(QStringLiteral("Data/Kelvora.ini")),
                 Profile(opensAt.x(), opensAt.x() + width, opensAt.y(), opensAt.y() + height, 1));
    }

    void placementOffEveryScreenComesOntoTheNearest_data() {
        QTest::addColumn<QPoint>("saved");
        QTest::newRow("far left and above") << QPoint(-5000, -5000);
        QTest::newRow("far right") << QPoint(100000, 10);
        QTest::newRow("far below") << QPoint(10, 100000);
    }
    void placementOffEveryScreenComesOntoTheNearest() {
        QFETCH(QPoint, saved);
        AppFolder folder;
        folder.Write(QStringLiteral("Data/Kelvora.ini"),
                     Profile(saved.x(), saved.x() + 1, saved.y(), saved.y() + 1, 1));
        FormTimerWindow window;
        window.Load();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2").arg(window.x()).arg(window.y())));
    }

    void firstStartLeavesThePlacementToTheSystem() {
        AppFolder folder;
        FormTimerWindow window;
        const QPoint unplaced = window.pos();
        window.Load();
        QVERIFY(window.isVisible());
        QVERIFY(!window.testAttribute(Qt::WA_Moved));
        QCOMPARE(window.pos(), unplaced);
        QVERIFY(!QFile::exists(folder.Path(QStringLiteral("Data/Kelvora.ini"))));
    }

    void topmostKeepsPositionAndVisibility() {
        AppFolder folder;
        FormTimerWindow window;
        window.show();
        window.move(50, 40);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect before = window.frameGeometry();
        QCOMPARE(win32api::SetWindowPos(window.hWnd(), win32api::HWND_TOPMOST, 0, 0, 0, 0,
                                        win32api::SWP_NOSIZE | win32api::SWP_NOMOVE),
                 1);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.frameGeometry(), before);
    }
};

QTEST_MAIN(WindowRoutinesTest)
#include "WindowRoutinesTest.moc"
