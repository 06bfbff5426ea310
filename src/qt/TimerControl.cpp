#include "qt/TimerControl.h"

#include "platform/PrepareSound.h"

namespace kelvora::qt {

TimerControl::TimerControl() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Fire(); });
    timer_.start(interval_);
}

void TimerControl::SetEnabled(bool enabled) {
    // Enabling a timer that runs keeps its next tick where it is; only a
    // disabled one starts a fresh interval.
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) {
        timer_.stop();
        return;
    }
    timer_.start(interval_);
    // A running countdown ends in the alarm: load the sound library now,
    // while nothing waits on it, rather than in the last tick.
    platform::PrepareSound();
}

void TimerControl::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) timer_.start(interval_);
}

void TimerControl::Fire() {
    if (!enabled_) return;
    if (tick_) tick_();
    // A tick that asked for no next one gets it a whole interval on, as from
    // any timer that ticks once per interval.
    if (enabled_ && !timer_.isActive()) timer_.start(interval_);
}

}  // namespace kelvora::qt
