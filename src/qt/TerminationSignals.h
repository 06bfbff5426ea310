#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace kelvora::qt {

// Closes the window on SIGTERM, SIGINT or SIGHUP as its close box would, so
// that a session that ends, or Ctrl+C in a terminal, still unloads the form
// and saves the placement. One instance per process.
class TerminationSignals final : public QObject {
    Q_OBJECT

  public:
    explicit TerminationSignals(QWidget* window);
    ~TerminationSignals() override;

  private:
    void CloseWindow();

    QPointer<QWidget> window_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kelvora::qt
