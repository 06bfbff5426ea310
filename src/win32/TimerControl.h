#pragma once
#include "core/Controls.h"
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// Timer1: a window timer that posts WM_TIMER with its id to the form once per
// interval while enabled. Setting it again, as each tick does, replaces the
// wait with one from now.
class TimerControl final : public core::Timer {
  public:
    static constexpr UINT_PTR kId = 1;
    static constexpr UINT kIntervalMs = 1000;

    // The timer runs from here on while enabled, as it is when created.
    void Attach(HWND owner);

    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }
    void SetInterval(int milliseconds) override;

  private:
    void Start() const;

    HWND owner_ = nullptr;
    UINT interval_ = kIntervalMs;
    bool enabled_ = true;  // enabled when created; the load turns it off
};

}  // namespace kelvora::win32
