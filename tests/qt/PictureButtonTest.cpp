// The start/stop button's pictures: read from files, with the mask colour
// left out so the face shows, and the errors the form relies on.

#include <QPainter>

#include "Fixture.h"
#include "core/RuntimeError.h"
#include "qt/PictureButton.h"
#include "qt/Pictures.h"

using kelvora::qt::PictureButton;
using namespace kelvora::test;
namespace core = kelvora::core;

namespace {

// A 23 x 24 picture: blue, with a black square and a dark grey square in it.
QImage TestPicture() {
    QImage picture(23, 24, QImage::Format_RGB32);
    picture.fill(qRgb(40, 80, 200));
    QPainter painter(&picture);
    painter.fillRect(QRect(5, 5, 4, 4), Qt::black);
    painter.fillRect(QRect(14, 5, 4, 4), QColor(1, 1, 1));
    return picture;
}

QImage Rendered(PictureButton& button) {
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    button.render(&image);
    return image;
}

int ErrorNumberOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const core::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace

class PictureButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void blackPixelsShowTheFace() {
        AppFolder folder;
        QVERIFY(TestPicture().save(folder.Path(QStringLiteral("picture.png"))));
        QWidget window;
        PictureButton button(&window);
        button.setGeometry(74, 0, 24, 24);
        // A red face, so that what shows through can be told from black ink.
        QPalette palette = button.palette();
        palette.setColor(QPalette::Button, Qt::red);
        button.setPalette(palette);
        button.SetPictureFromFile(folder.Path(QStringLiteral("picture.png")).toStdString());

        const QImage image = Rendered(button);
        QCOMPARE(image.pixel(6, 6), qRgb(255, 0, 0));    // black: masked out
        QCOMPARE(image.pixel(15, 6), qRgb(1, 1, 1));     // near-black: drawn
        QCOMPARE(image.pixel(2, 2), qRgb(40, 80, 200));  // the picture itself
        QCOMPARE(image.pixel(23, 10), qRgb(255, 0, 0));  // beside the 23-pixel picture
    }

    void unreadablePictureRaisesTheFormsErrors_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("error");
        QTest::newRow("no such file") << QStringLiteral("missing.gif") << QByteArray() << 53;
        QTest::newRow("not a picture")
            << QStringLiteral("notes.gif") << QByteArray("GIF? no.") << 481;
        QTest::newRow("empty file") << QStringLiteral("empty.gif") << QByteArray("") << 481;
        QTest::newRow("cut off GIF")
            << QStringLiteral("cut.gif") << QByteArray("GIF89a\x17\x00", 8) << 481;
        QTest::newRow("a folder") << QStringLiteral("folder.gif") << QByteArray() << 481;
    }
    void unreadablePictureRaisesTheFormsErrors() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, error);
        AppFolder folder;
        if (name == QStringLiteral("folder.gif")) {
            QDir(folder.Path()).mkdir(name);
        } else if (name != QStringLiteral("missing.gif")) {
            folder.Write(name, bytes);
        }
        QWidget window;
        PictureButton button(&window);
        const QImage before = button.Picture();
        QCOMPARE(ErrorNumberOf([&] { button.SetPictureFromFile(folder.Path(name).toStdString()); }),
                 error);
        QCOMPARE(button.Picture(), before);
    }

    void pictureIsReadByContentNotByName() {
        AppFolder folder;
        QFile::copy(ResourcesFolder() + QStringLiteral("/data/button_stop.gif"),
                    folder.Path(QStringLiteral("stop.bmp")));
        QWidget window;
        PictureButton button(&window);
        button.SetPictureFromFile(folder.Path(QStringLiteral("stop.bmp")).toStdString());
        QCOMPARE(button.Picture().size(), QSize(23, 24));
    }

    void missingPictureFilesFallBackToTheBuiltInOnes() {
        AppFolder folder;  // no data files: the first start's empty data folder
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "0,9\r\n");
        kelvora::qt::FormTimerWindow window;
        window.Load();
        window.Command1().click();
        QCOMPARE(window.Logic().Running, 1);
        QCOMPARE(window.Command1().Picture(), QImage(QStringLiteral(":/kelvora/builtin_stop.gif")));
        window.Command1().click();
        QCOMPARE(window.Logic().Running, 0);
        QCOMPARE(window.Command1().Picture(), QImage(QStringLiteral(":/kelvora/builtin_go.gif")));
    }
};

QTEST_MAIN(PictureButtonTest)
#include "PictureButtonTest.moc"
