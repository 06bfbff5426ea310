#pragma once
#include <QObject>
#include <QTimer>
#include <chrono>

namespace kelvora::qt {

// The caret stops blinking once the program has had no keyboard or mouse
// input for a while, as desktops arrange it, and blinks again with the next
// input. It stays visible, only steady: a window left on screen for hours
// then wakes the processor for nothing but its countdown's ticks.
class CaretBlink final : public QObject {
    Q_OBJECT

  public:
    explicit CaretBlink(std::chrono::milliseconds idle = std::chrono::seconds(10));
    ~CaretBlink() override;

    bool Blinking() const { return !resting_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Rest();
    void Wake();

    QTimer idle_;
    int flashTime_;
    bool resting_ = false;
};

}  // namespace kelvora::qt
