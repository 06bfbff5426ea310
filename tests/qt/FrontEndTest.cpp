// What only the Linux front end does, on Qt's offscreen platform: the
// window's pixels, a field's selection on a click and its caret when the
// window comes back, and the caret's rest. What a user does with the real
// program is the end-to-end script's.

#include <QTest>

#include "qt/CaretBlink.h"
#include "qt/EntryField.h"
#include "qt/FormTimerWindow.h"
#include "qt/PictureButton.h"
#include "qt/PlatformChoice.h"

namespace {

int Count(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) == colour;
    }
    return count;
}

QList<int> Columns(const QImage& image, const QRect& area, QRgb colour) {
    QList<int> columns;
    for (int x = area.left(); x <= area.right(); ++x) {
        if (Count(image, QRect(x, area.top(), 1, area.height()), colour) > 0) columns.append(x);
    }
    return columns;
}

bool Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace

class FrontEndTest : public QObject {
    Q_OBJECT

  private slots:
    // No Wayland client may keep itself on top, so XWayland is chosen where a
    // session offers it; a platform the user chose stands.
    void platformGoesToX11WhereWaylandAlsoOffersIt() {
        using kelvora::qt::DisplayEnvironment, kelvora::qt::PlatformOverride;
        QCOMPARE(PlatformOverride({false, true, true}), QByteArray("xcb"));
        for (const DisplayEnvironment other :
             {DisplayEnvironment{false, true, false}, DisplayEnvironment{false, false, true},
              DisplayEnvironment{true, true, true}})
            QCOMPARE(PlatformOverride(other), QByteArray());
    }
    void windowPixels_data() {
        QTest::addColumn<QColor>("captionText");
        QTest::addColumn<QRgb>("colon");
        QTest::newRow("caption text that reads") << QColor(255, 200, 0) << qRgb(255, 200, 0);
        QTest::newRow("black caption text: white") << QColor(Qt::black) << qRgb(255, 255, 255);
    }
    void windowPixels() {
        QFETCH(QColor, captionText);
        QFETCH(QRgb, colon);
        kelvora::qt::FormTimerWindow window;
        QPalette palette = window.palette();
        palette.setColor(QPalette::Active, QPalette::HighlightedText, captionText);
        window.setPalette(palette);
        window.txtMM().setText(QStringLiteral("5"));
        window.txtSS().setText(QStringLiteral("5"));
        const QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb black = qRgb(0, 0, 0), strip = qRgb(0, 0, 64), white = qRgb(255, 255, 255);
        // Black margins around the strip and beside the button's 23-pixel picture.
        for (const QRect& margin :
             {QRect(0, 0, 4, 27), QRect(0, 25, 98, 2), QRect(71, 0, 3, 27), QRect(97, 0, 1, 24)}) {
            QCOMPARE(Count(image, margin, black), margin.width() * margin.height());
        }
        QVERIFY(Count(image, QRect(4, 4, 67, 21), strip) > 67 * 21 * 3 / 4);
        // Minutes stand by the colon, seconds after it, the colon centred between.
        QVERIFY(Columns(image, QRect(4, 4, 33, 21), white).first() > 20);
        QVERIFY(Columns(image, QRect(48, 4, 23, 21), white).last() < 59);
        const QList<int> ink = Columns(image, QRect(37, 4, 11, 21), colon);
        QVERIFY(!ink.isEmpty() && qAbs(ink.first() + ink.last() - 2 * 42) <= 2);
    }

    void fieldSelectsOnClickAndKeepsItsCaretWhenTheWindowComesBack() {
        kelvora::qt::FormTimerWindow window;
        QVERIFY(Activate(window));
        for (kelvora::qt::EntryField* field : {&window.txtSS(), &window.txtMM()}) {
            field->setText(QStringLiteral("12"));
            window.Command1().setFocus();
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, 10));
            QTRY_COMPARE(field->selectedText(), QStringLiteral("12"));
            field->setCursorPosition(1);
            QWidget other;
            QVERIFY(Activate(other));
            QVERIFY(Activate(window));
            QCOMPARE(field->cursorPosition(), 1);
            QVERIFY(!field->hasSelectedText());
        }
    }

    // A stop that reads 0:00, typed while a tick lets events run, opens its
    // refusal inside the tick: the count goes on under the box all the same.
    void countGoesOnUnderABoxOpenedInsideATick() {
        kelvora::qt::FormTimerWindow window;
        QVERIFY(Activate(window));
        window.txtSS().setText(QStringLiteral("5"));
        window.Command1().click();
        // Typed once the first tick shows the time, and handled by the events
        // that tick lets run.
        const auto typeStopAtZero = [] {
            for (const Qt::Key key : {Qt::Key_Backtab, Qt::Key_0, Qt::Key_Return})
                QTest::keyClick(QApplication::focusWidget(), key);
        };
        connect(
            &window.txtSS(), &QLineEdit::textChanged, &window,
            [=] { QTimer::singleShot(0, typeStopAtZero); }, Qt::SingleShotConnection);
        int countedAtBox = -1, counted = -1;
        QTimer watch;  // inside the box's own loop
        connect(&watch, &QTimer::timeout, &window, [&] {
            if (QApplication::activeModalWidget() == nullptr) return;
            if (countedAtBox < 0) countedAtBox = window.Logic().ElapsedSeconds;
            if (++counted, window.Logic().ElapsedSeconds > countedAtBox || counted > 50)
                QApplication::activeModalWidget()->close();
        });
        watch.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(countedAtBox >= 0 && !QApplication::activeModalWidget(), 10000);
        QVERIFY2(counted <= 50, "no tick came while the box was open");
        window.Timer1().SetEnabled(false);
    }

    void caretRestsWhenIdleAndBlinksAgainOnInput() {
        const int flashTime = QApplication::cursorFlashTime();
        QLineEdit field;
        QVERIFY(Activate(field));
        {
            kelvora::qt::CaretBlink caret(std::chrono::milliseconds(50));
            QTRY_COMPARE(QApplication::cursorFlashTime(), 0);
            QTest::keyClick(&field, Qt::Key_5);
            QCOMPARE(QApplication::cursorFlashTime(), flashTime);
            QTRY_VERIFY(!caret.Blinking());
            QTest::mouseClick(&field, Qt::LeftButton);
            QVERIFY(caret.Blinking());
        }
        QCOMPARE(QApplication::cursorFlashTime(), flashTime);
    }
};

QTEST_MAIN(FrontEndTest)
#include "FrontEndTest.moc"
