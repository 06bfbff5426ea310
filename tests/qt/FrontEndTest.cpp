// What only the Linux front end does, on Qt's offscreen platform: the
// window's pixels, a field's selection on a click and its caret when the
// window comes back, the caret's rest, the button's mask and picture errors,
// and placement in screen pixels (run at scale 1 and 2). What a user does with
// the real program is the end-to-end script's.

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "core/App.h"
#include "core/ModuleWin32API.h"
#include "core/RuntimeError.h"
#include "qt/CaretBlink.h"
#include "qt/EntryField.h"
#include "qt/FormTimerWindow.h"
#include "qt/PictureButton.h"

using kelvora::qt::FormTimerWindow;
namespace win32api = kelvora::win32api;
using namespace std::chrono_literals;

namespace {

// A folder that the program takes for its executable's folder.
struct AppFolder {
    QTemporaryDir folder;
    AppFolder() {
        kelvora::core::App().Path = folder.path().toStdString();
        kelvora::core::App().EXEName = "Kelvora";
    }
    QString Path(const char* relative) const { return folder.filePath(QLatin1String(relative)); }
    void Write(const char* relative, const QByteArray& bytes) const {
        QDir(folder.path()).mkpath(QStringLiteral("Data"));
        QFile file(Path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
};

QByteArray Profile(int left, int right, int top, int bottom) {
    return QStringLiteral("[WinPos]\r\nLeft=%1\r\nRight=%2\r\nTop=%3\r\nBottom=%4\r\nshowCmd=1\r\n")
        .arg(left).arg(right).arg(top).arg(bottom).toLatin1();
}

// The columns of the area that hold the colour, and how many pixels do.
QList<int> Columns(const QImage& image, const QRect& area, QRgb colour, int* pixels = nullptr) {
    QList<int> columns;
    for (int x = area.left(); x <= area.right(); ++x) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) count += image.pixel(x, y) == colour;
        if (count > 0) columns.append(x);
        if (pixels != nullptr) *pixels += count;
    }
    return columns;
}

// The widget as drawn, one image pixel per logical pixel at any scale.
QImage Grab(QWidget& widget) {
    QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image.scaled(widget.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
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
    void windowPixels_data() {
        QTest::addColumn<QColor>("captionText");
        QTest::addColumn<QRgb>("colon");
        QTest::newRow("caption text that reads") << QColor(255, 200, 0) << qRgb(255, 200, 0);
        QTest::newRow("black caption text: white") << QColor(Qt::black) << qRgb(255, 255, 255);
    }
    void windowPixels() {
        QFETCH(QColor, captionText);
        QFETCH(QRgb, colon);
        AppFolder folder;
        FormTimerWindow window;
        QPalette palette = window.palette();
        palette.setColor(QPalette::Active, QPalette::HighlightedText, captionText);
        window.setPalette(palette);
        window.txtMM().setText(QStringLiteral("5"));
        window.txtSS().setText(QStringLiteral("5"));
        const QImage image = Grab(window);
        QCOMPARE(image.size(), QSize(98, 27));
        const QRgb black = qRgb(0, 0, 0), strip = qRgb(0, 0, 64), white = qRgb(255, 255, 255);
        // Black margins around the strip and beside the button's 23-pixel picture.
        for (const QRect& margin : {QRect(0, 0, 4, 27), QRect(0, 25, 98, 2), QRect(71, 0, 3, 27),
                                    QRect(97, 0, 1, 24)}) {
            QCOMPARE(Columns(image, margin, black).size(), margin.width());
        }
        int stripPixels = 0;
        Columns(image, QRect(4, 4, 67, 21), strip, &stripPixels);
        QVERIFY(stripPixels > 67 * 21 * 3 / 4);
        // Minutes stand by the colon, seconds after it, the colon centred between.
        QVERIFY(Columns(image, QRect(4, 4, 33, 21), white).first() > 20);
        QVERIFY(Columns(image, QRect(48, 4, 23, 21), white).last() < 59);
        const QList<int> ink = Columns(image, QRect(37, 4, 11, 21), colon);
        QVERIFY(!ink.isEmpty() && qAbs(ink.first() + ink.last() - 2 * 42) <= 2);
    }

    void fieldSelectsOnClickAndKeepsItsCaretWhenTheWindowComesBack() {
        AppFolder folder;
        folder.Write("Data/TimerSet.txt", "12,34\r\n");
        FormTimerWindow window;
        window.Load();
        QVERIFY(Activate(window));
        for (kelvora::qt::EntryField* field : {&window.txtSS(), &window.txtMM()}) {
            window.Command1().setFocus();
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, 10));
            QTRY_COMPARE(field->selectedText(), field->text());
            field->setCursorPosition(1);
            QWidget other;
            QVERIFY(Activate(other));
            QVERIFY(Activate(window));
            QCOMPARE(field->cursorPosition(), 1);
            QVERIFY(!field->hasSelectedText());
        }
    }

    void caretRestsWhenIdleAndBlinksAgainOnInput() {
        const int flashTime = QApplication::cursorFlashTime();
        QLineEdit field;
        QVERIFY(Activate(field));
        {
            kelvora::qt::CaretBlink caret(50ms);
            QTRY_COMPARE(QApplication::cursorFlashTime(), 0);
            QTest::keyClick(&field, Qt::Key_5);
            QCOMPARE(QApplication::cursorFlashTime(), flashTime);
            QTRY_VERIFY(!caret.Blinking());
            QTest::mouseClick(&field, Qt::LeftButton);
            QVERIFY(caret.Blinking());
        }
        QCOMPARE(QApplication::cursorFlashTime(), flashTime);
    }

    void buttonMasksBlackAndRefusesWhatIsNoPicture() {
        AppFolder folder;
        QImage picture(23, 24, QImage::Format_RGB32);
        picture.fill(qRgb(40, 80, 200));
        QPainter(&picture).fillRect(QRect(5, 5, 4, 4), Qt::black);
        QVERIFY(picture.save(folder.Path("picture.png")));
        folder.Write("cut.gif", QByteArray("GIF89a\x17\x00", 8));
        QWidget window;
        kelvora::qt::PictureButton button(&window);
        button.resize(24, 24);
        QPalette face = button.palette();
        face.setColor(QPalette::Button, Qt::red);
        button.setPalette(face);
        button.SetPictureFromFile(folder.Path("picture.png").toStdString());
        const QImage shown = Grab(button);
        QCOMPARE(shown.pixel(6, 6), qRgb(255, 0, 0));  // black: the face shows through
        QCOMPARE(shown.pixel(2, 2), qRgb(40, 80, 200));
        for (const auto& [name, error] : {std::pair("missing.gif", 53), {"cut.gif", 481}}) {
            try {
                button.SetPictureFromFile(folder.Path(name).toStdString());
                QFAIL(name);
            } catch (const kelvora::core::RuntimeError& raised) {
                QCOMPARE(raised.Number(), error);
            }
        }
        QCOMPARE(button.Picture(), picture);
    }

    void placementInScreenPixels_data() {
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<bool>("keptThere");
        QTest::newRow("normal") << QPoint(120, 60) << true;
        QTest::newRow("left of the screen's edge") << QPoint(-8, 30) << true;
        QTest::newRow("off every screen") << QPoint(-5000, 100000) << false;
    }
    void placementInScreenPixels() {
        QFETCH(QPoint, saved);
        QFETCH(bool, keptThere);
        AppFolder folder;
        folder.Write("Data/Kelvora.ini", Profile(saved.x(), 0, saved.y(), 0));
        FormTimerWindow window;
        window.Load();
        win32api::WINDOWPLACEMENT opened{};
        opened.length = sizeof(opened);
        win32api::GetWindowPlacement(window.hWnd(), &opened);
        const win32api::RECT& frame = opened.rcNormalPosition;
        const qreal scale = window.devicePixelRatio();
        QCOMPARE(QSize(frame.right - frame.left, frame.bottom - frame.top),
                 window.frameGeometry().size() * scale);
        if (keptThere) QCOMPARE(QPoint(frame.left, frame.top), saved);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(keptThere || screen.contains(window.frameGeometry()));
        window.close();
        QFile file(folder.Path("Data/Kelvora.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), Profile(frame.left, frame.right, frame.top, frame.bottom));
    }
};

QTEST_MAIN(FrontEndTest)
#include "FrontEndTest.moc"
