#include "win32/TimerControl.h"

namespace kelvora::win32 {

void TimerControl::Attach(HWND owner) {
    owner_ = owner;
    if (enabled_) Start();
}

void TimerControl::SetEnabled(bool enabled) {
    // Only a change restarts the interval: enabling a running timer again
    // must not delay its next tick.
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (owner_ == nullptr) return;
    if (enabled) {
        Start();
    } else {
        ::KillTimer(owner_, kId);
    }
}

void TimerControl::SetInterval(int milliseconds) {
    interval_ = static_cast<UINT>(milliseconds);
    if (enabled_ && owner_ != nullptr) Start();
}

// SetTimer on a timer that exists replaces its wait, and raises one shorter
// than USER_TIMER_MINIMUM (10 ms) to that.
void TimerControl::Start() const { ::SetTimer(owner_, kId, interval_, nullptr); }

}  // namespace kelvora::win32
