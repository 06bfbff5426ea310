#include "platform/SystemClock.h"

#include <windows.h>

namespace kelvora::platform {

// GetTickCount64 counts on while the machine sleeps and exists back to
// Windows 7, which the manifest still declares; the interrupt-time routines
// that read finer either stop during sleep or need Windows 10.
std::int64_t SystemClock::Now() const {
    return static_cast<std::int64_t>(::GetTickCount64()) * 1'000'000;
}

// The tick count advances in steps of the system's clock interrupt, 15.6 ms
// unless some program asks for finer, and window timers fire on the same
// steps: a reading may lag the true time by up to one step.
int SystemClock::TickMarginMilliseconds() const { return 16; }

}  // namespace kelvora::platform
