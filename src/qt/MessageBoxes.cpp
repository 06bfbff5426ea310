#include "qt/MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "core/App.h"

namespace kelvora::qt {
namespace {

QMessageBox::Icon IconOf(int style) {
    // The icon is the style's bits 4 to 6, as on Windows.
    switch (style & 0x70) {
        case core::kCritical:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case core::kExclamation:
            return QMessageBox::Warning;
        case core::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

void MessageBoxes::Show(const std::string& text, int style, const std::string& title) {
    QMessageBox box(IconOf(style),
                    QString::fromStdString(title.empty() ? core::App().Title : title),
                    QString::fromStdString(text), QMessageBox::Ok, owner_.data());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    // Back to the window, as a message box gives the activation back to its
    // owner; the form may then put the focus into a field.
    if (owner_ != nullptr && owner_->isVisible()) owner_->activateWindow();
}

void EventPump::DoEvents() { QCoreApplication::processEvents(); }

}  // namespace kelvora::qt
