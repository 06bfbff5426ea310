#include "MessageBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>

namespace kelvora::test {

MessageBoxWatcher::MessageBoxWatcher() {
    connect(&poll_, &QTimer::timeout, this, &MessageBoxWatcher::Poll);
    poll_.start(5);
}

void MessageBoxWatcher::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    shown_.append({box->text(), box->windowTitle(), box->icon()});
    box->button(QMessageBox::Ok)->click();
}

}  // namespace kelvora::test
