#include "qt/TimerControl.h"

#include "platform/PrepareSound.h"
#include "qt/Layout.h"

namespace kelvora::qt {

TimerControl::TimerControl() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(layout::kTimer1IntervalMs);
    timer_.start();  // enabled at creation; the load disables it first thing
}

void TimerControl::SetEnabled(bool enabled) {
    // Enabling a timer that runs keeps its rhythm; only a disabled one starts
    // a fresh interval.
    if (!enabled) {
        timer_.stop();
    } else if (!timer_.isActive()) {
        timer_.start();
        // A running countdown ends in the alarm: load the sound library now,
        // while nothing waits on it, rather than in the last tick.
        platform::PrepareSound();
    }
}

bool TimerControl::Enabled() const { return timer_.isActive(); }

}  // namespace kelvora::qt
