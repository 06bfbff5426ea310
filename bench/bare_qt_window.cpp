// The floor for Kelvora's start-up and memory: an empty tool window of the
// same size and title, and nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    window.setWindowTitle(QStringLiteral("  Kelvora"));
    window.setFixedSize(98, 27);
    window.show();
    return QApplication::exec();
}
