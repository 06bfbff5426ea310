#pragma once
#include <QTimer>

#include "core/Controls.h"

namespace kelvora::qt {

// Timer1: ticks once a second while enabled. A precise timer schedules each
// tick from the previous one's due time, so ticks do not drift.
class TimerControl final : public core::Timer {
  public:
    TimerControl();

    void SetEnabled(bool enabled) override;
    bool Enabled() const override;

    QTimer& Ticks() { return timer_; }

  private:
    QTimer timer_;
};

}  // namespace kelvora::qt
