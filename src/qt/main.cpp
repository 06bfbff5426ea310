// Kelvora on Linux: the toolkit creates the one window, raises its load event,
// shows it and dispatches events until the window is unloaded.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "qt/FormTimerWindow.h"
#include "qt/PlatformChoice.h"
#include "qt/TerminationSignals.h"

namespace {

// The edit fields' context menus and the message boxes' button speak
// Japanese, like the rest of the program, where Qt's translations are
// installed.
void InstallJapaneseTranslations(QApplication& application, QTranslator& translator) {
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        application.installTranslator(&translator);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    kelvora::qt::ChooseDisplayPlatform();
    // The program takes no command line: Qt's own options (-reverse, -style,
    // -platform, ...) must not change it either, so Qt sees only the name.
    // The display platform is still the user's to choose, through
    // QT_QPA_PLATFORM.
    static char fallbackName[] = "Kelvora";
    char* qtArguments[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName, nullptr};
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, qtArguments);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setDesktopFileName(QStringLiteral("kelvora"));
    // A tool window does not count when Qt decides that the last window has
    // closed; the window ends the program itself.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator translator;
    InstallJapaneseTranslations(application, translator);

    kelvora::qt::FormTimerWindow window;
    // Message boxes show it too.
    QApplication::setWindowIcon(window.windowIcon());
    QObject::connect(&window, &kelvora::qt::FormTimerWindow::programEnded, &application,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    kelvora::qt::TerminationSignals termination(&window);
    window.Load();
    if (window.Ended()) return window.ExitCode();
    window.show();
    return QApplication::exec();
}
