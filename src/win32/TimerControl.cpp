#include "win32/TimerControl.h"

namespace kelvora::win32 {

void TimerControl::Attach(HWND owner) {
    owner_ = owner;
    if (enabled_) ::SetTimer(owner_, kId, kIntervalMs, nullptr);
}

void TimerControl::SetEnabled(bool enabled) {
    // Only a change restarts the interval: enabling a running timer again
    // must not delay its next tick.
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (owner_ == nullptr) return;
    if (enabled) {
        ::SetTimer(owner_, kId, kIntervalMs, nullptr);
    } else {
        ::KillTimer(owner_, kId);
    }
}

}  // namespace kelvora::win32
