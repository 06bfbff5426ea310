#include "platform/SystemClock.h"

#include <time.h>

namespace kelvora::platform {

std::int64_t SystemClock::Now() const {
    // Not CLOCK_MONOTONIC, which std::chrono::steady_clock and Qt's own timers
    // read: it stops while the machine is suspended, and a countdown must not.
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// Qt's precise timers wait on a clock that runs at this one's rate and never
// fire before their due time; the millisecond only absorbs the rounding of a
// reading to the interval asked for.
int SystemClock::TickMarginMilliseconds() const { return 1; }

}  // namespace kelvora::platform
