// Saves pictures of the window as the user sees it, for a person to look at:
//   kelvora_window_snapshot <folder>
// writes design.png (as created, before the load), stopped.png (just loaded,
// the minutes selected), running.png (after a start) and longest.png (the
// widest texts the fields show) at the screen's scale, and fails if a picture does not have
// the window's size at that scale.

#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>

#include "AppFolder.h"
#include "WindowFixture.h"
#include "qt/EntryField.h"
#include "qt/FormTimerWindow.h"
#include "qt/PictureButton.h"

using namespace kelvora::test;

namespace {

bool Save(QWidget& window, const QString& file) {
    const QImage image = window.grab().toImage();
    const QSize expected = window.size() * window.devicePixelRatio();
    if (image.size() != expected || !image.save(file)) {
        std::fprintf(stderr, "%s: %dx%d, expected %dx%d\n", qPrintable(file), image.width(),
                     image.height(), expected.width(), expected.height());
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(file), image.width(), image.height());
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvora_window_snapshot <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    AppFolder folder;
    folder.CopyDataFiles();
    folder.Write(QStringLiteral("Data/TimerSet.txt"), "12,34\r\n");
    kelvora::qt::FormTimerWindow window;
    bool saved = Save(window, out.filePath(QStringLiteral("design.png")));
    if (!LoadAndActivate(window)) return 1;
    QTest::qWait(50);
    saved = Save(window, out.filePath(QStringLiteral("stopped.png"))) && saved;
    window.Command1().click();
    QTest::qWait(50);
    saved = Save(window, out.filePath(QStringLiteral("running.png"))) && saved;
    window.txtMM().setText(QStringLiteral("998"));
    window.txtSS().setText(QStringLiteral("59"));
    saved = Save(window, out.filePath(QStringLiteral("longest.png"))) && saved;
    return saved ? 0 : 1;
}
