#pragma once
#include "core/Controls.h"

namespace kelvora::platform {

// The system's clock that keeps counting while the machine sleeps:
// CLOCK_BOOTTIME on Linux, GetTickCount64 on Windows.
class SystemClock final : public core::Clock {
  public:
    std::int64_t Now() const override;
    int TickMarginMilliseconds() const override;
};

}  // namespace kelvora::platform
