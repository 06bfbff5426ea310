#pragma once
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

namespace kelvora::test {

struct ShownMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon;
};

// Reads and dismisses every modal message box that opens while it lives, as
// a user pressing OK would.
class MessageBoxWatcher final : public QObject {
    Q_OBJECT

  public:
    MessageBoxWatcher();
    const QList<ShownMessage>& Shown() const { return shown_; }

  private:
    void Poll();

    QTimer poll_;
    QList<ShownMessage> shown_;
};

}  // namespace kelvora::test
