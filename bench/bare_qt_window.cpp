// The floor for Kelvora's start-up and memory: an empty tool window of the
// same size and title, and nothing else. With the argument "text" it also
// shows one line of text in an edit field, which is what any window that
// draws text pays for fonts.

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    window.setWindowTitle(QStringLiteral("  Kelvora"));
    window.setFixedSize(98, 27);
    if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
        auto* field = new QLineEdit(QStringLiteral("00"), &window);
        field->setGeometry(4, 4, 33, 21);
    }
    window.show();
    return QApplication::exec();
}
