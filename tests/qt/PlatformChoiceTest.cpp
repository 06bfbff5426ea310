// Which display platform the program asks Qt for.

#include <QTest>

#include "qt/PlatformChoice.h"

using kelvora::qt::DisplayEnvironment;

class PlatformChoiceTest : public QObject {
    Q_OBJECT

  private slots:
    void platformOverride_data() {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("Wayland with XWayland") << false << true << true << QByteArray("xcb");
        QTest::newRow("Wayland only") << false << true << false << QByteArray();
        QTest::newRow("X11 only") << false << false << true << QByteArray();
        QTest::newRow("no display") << false << false << false << QByteArray();
        QTest::newRow("user's choice stands") << true << true << true << QByteArray();
    }
    void platformOverride() {
        QFETCH(bool, chosen);
        QFETCH(bool, wayland);
        QFETCH(bool, x11);
        QFETCH(QByteArray, platform);
        QCOMPARE(kelvora::qt::PlatformOverride(DisplayEnvironment{chosen, wayland, x11}), platform);
    }
};

QTEST_GUILESS_MAIN(PlatformChoiceTest)
#include "PlatformChoiceTest.moc"
