#pragma once
#include <QTimer>
#include <functional>

#include "core/Controls.h"
#include "qt/Layout.h"

namespace kelvora::qt {

// Timer1: a precise single-shot timer, so that each tick comes when the one
// before asked for it and not by a rhythm of its own; a new QTimer is coarse,
// with 5 % slack. A single-shot timer is inactive while its tick runs, so the
// control keeps its own enabled state.
class TimerControl final : public core::Timer {
  public:
    TimerControl();

    // What a tick does; it runs only while the timer is enabled.
    void OnTick(std::function<void()> tick) { tick_ = std::move(tick); }

    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }
    void SetInterval(int milliseconds) override;

  private:
    void Fire();

    QTimer timer_;
    std::function<void()> tick_;
    int interval_ = layout::kTimer1IntervalMs;
    bool enabled_ = true;  // enabled when created; the load turns it off
};

}  // namespace kelvora::qt
