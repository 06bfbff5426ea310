// What the user sees of the window before touching it: its frame, where each
// control sits, the colours, the fonts, the texts and the tooltips.

#include <QFontInfo>
#include <QFontMetrics>

#include "Fixture.h"
#include "qt/ColonLabel.h"
#include "qt/EntryField.h"
#include "qt/PictureButton.h"

using kelvora::qt::FormTimerWindow;
using namespace kelvora::test;

namespace {

const QRgb kStrip = qRgb(0, 0, 64);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QWidget* Control(FormTimerWindow& window, const QByteArray& name) {
    if (name == "Command1") return &window.Command1();
    if (name == "txtSS") return &window.txtSS();
    if (name == "txtMM") return &window.txtMM();
    return &window.Label1();
}

// Columns of the area that hold at least one pixel of the colour.
QList<int> ColumnsWith(const QImage& image, const QRect& area, QRgb colour) {
    QList<int> columns;
    for (int x = area.left(); x <= area.right(); ++x) {
        if (CountColour(image, QRect(x, area.top(), 1, area.height()), colour) > 0) {
            columns.append(x);
        }
    }
    return columns;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void windowIsAFixedToolWindowWithCloseBoxOnly() {
        AppFolder folder;
        FormTimerWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("  Kelvora"));
        QCOMPARE(window.size(), QSize(98, 27));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        const Qt::WindowFlags flags = window.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!window.windowIcon().isNull());
        // Not a creation setting: the load makes the window topmost.
        QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
        window.Load();
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void controlSitsAtItsPixelsWithItsTooltip_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Command1") << QByteArray("Command1") << QRect(74, 0, 24, 24) << QString();
        QTest::newRow("txtSS") << QByteArray("txtSS") << QRect(48, 4, 23, 21)
                               << QStringLiteral("1～999秒を設定");
        QTest::newRow("txtMM") << QByteArray("txtMM") << QRect(4, 4, 33, 21)
                               << QStringLiteral("1～999分を設定");
        QTest::newRow("Label1") << QByteArray("Label1") << QRect(36, 4, 13, 21) << QString();
    }
    void controlSitsAtItsPixelsWithItsTooltip() {
        QFETCH(QByteArray, control);
        QFETCH(QRect, geometry);
        QFETCH(QString, tip);
        AppFolder folder;
        FormTimerWindow window;
        QCOMPARE(Control(window, control)->geometry(), geometry);
        QCOMPARE(Control(window, control)->toolTip(), tip);
    }

    void fieldsShowWhiteBoldGothicDigitsOnDarkBlue_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<QString>("designText");
        QTest::newRow("txtMM") << QByteArray("txtMM") << QStringLiteral("000");
        QTest::newRow("txtSS") << QByteArray("txtSS") << QStringLiteral("00");
    }
    void fieldsShowWhiteBoldGothicDigitsOnDarkBlue() {
        QFETCH(QByteArray, control);
        QFETCH(QString, designText);
        AppFolder folder;
        FormTimerWindow window;
        auto* field = static_cast<QLineEdit*>(Control(window, control));
        QCOMPARE(field->text(), designText);
        QVERIFY(!field->hasFrame());
        QCOMPARE(field->font().pixelSize(), 19);
        QVERIFY(field->font().bold());
        const QFontInfo face(field->font());
        // Fixed pitch as Japanese faces are: every digit equally wide.
        const QFontMetrics metrics(field->font());
        for (const QChar digit : QStringLiteral("123456789")) {
            QCOMPARE(metrics.horizontalAdvance(digit), metrics.horizontalAdvance(QLatin1Char('0')));
        }
        QVERIFY2(QStringList({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                              QStringLiteral("IPAGothic")})
                     .contains(face.family()),
                 qPrintable(face.family()));

        const QImage image = Snapshot(window);
        const QRect area = field->geometry();
        // Dark blue everywhere but where the digits are, and every digit in
        // reach of the field: nothing cut off by a border.
        QVERIFY(CountColour(image, area, kStrip) > area.width() * area.height() / 2);
        QVERIFY(CountColour(image, area, kWhite) > 20);
        QCOMPARE(CountColour(image, area.adjusted(-1, -1, 1, 1), kWhite),
                 CountColour(image, area, kWhite));
    }

    void minutesStandByTheColonAndSecondsAfterIt() {
        AppFolder folder;
        FormTimerWindow window;
        window.txtMM().setText(QStringLiteral("5"));
        window.txtSS().setText(QStringLiteral("5"));
        const QImage image = Snapshot(window);
        const QList<int> minutes = ColumnsWith(image, window.txtMM().geometry(), kWhite);
        const QList<int> seconds = ColumnsWith(image, window.txtSS().geometry(), kWhite);
        QVERIFY(!minutes.isEmpty() && !seconds.isEmpty());
        QVERIFY2(minutes.first() > window.txtMM().geometry().center().x(), "minutes not right");
        QVERIFY2(seconds.last() < window.txtSS().geometry().center().x(), "seconds not left");
    }

    void colonIsDrawnOpaqueUnderTheFields() {
        AppFolder folder;
        FormTimerWindow window;
        const QImage image = Snapshot(window);
        const QRect label = window.Label1().geometry();
        const QRgb colon = window.Label1().TextColour().rgb();
        QCOMPARE(window.Label1().Text(), QStringLiteral(":"));
        // The fields cover the label's outer columns.
        QCOMPARE(window.txtMM().geometry().right(), label.left());
        QCOMPARE(window.txtSS().geometry().left(), label.right());
        const QRect visible = label.adjusted(1, 0, -1, 0);
        QVERIFY(CountColour(image, visible, colon) > 4);
        QVERIFY(CountColour(image, visible, kStrip) > visible.width() * visible.height() / 2);
        QCOMPARE(CountColour(image, visible, kBlack), 0);
        // Centred: the colon's ink is in the middle columns.
        const QList<int> ink = ColumnsWith(image, visible, colon);
        QVERIFY(!ink.isEmpty());
        QVERIFY(qAbs((ink.first() + ink.last()) / 2 - visible.center().x()) <= 1);
        QCOMPARE(window.Label1().font().pixelSize(), 21);
        QVERIFY(window.Label1().font().bold());
        QCOMPARE(window.Label1().focusPolicy(), Qt::NoFocus);
        // The colon takes its colour from the palette.
        QPalette palette = window.Label1().palette();
        palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(255, 200, 0));
        window.Label1().setPalette(palette);
        QVERIFY(CountColour(Snapshot(window), label, qRgb(255, 200, 0)) > 4);
    }

    void backgroundIsBlackAroundTheStrip() {
        AppFolder folder;
        FormTimerWindow window;
        const QImage image = Snapshot(window);
        QCOMPARE(CountColour(image, QRect(0, 0, 4, 27), kBlack), 4 * 27);
        QCOMPARE(CountColour(image, QRect(0, 25, 74, 2), kBlack), 74 * 2);
        QCOMPARE(CountColour(image, QRect(71, 0, 3, 27), kBlack), 3 * 27);
        // Below the button, the last rows of the client area, and the button's
        // black face beside its 23-pixel picture.
        QCOMPARE(CountColour(image, QRect(74, 24, 24, 3), kBlack), 24 * 3);
        QCOMPARE(CountColour(image, QRect(97, 0, 1, 24), kBlack), 24);
    }

    void buttonShowsTheBuiltInStartPictureUntilTheFirstClick() {
        AppFolder folder;
        folder.CopyDataFiles();
        FormTimerWindow window;
        window.Load();
        const QImage builtIn(QStringLiteral(":/kelvora/builtin_go.gif"));
        QCOMPARE(window.Command1().Picture().size(), QSize(23, 24));
        QCOMPARE(window.Command1().Picture(), builtIn);
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
