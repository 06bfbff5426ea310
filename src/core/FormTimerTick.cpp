#include <algorithm>
#include <cmath>

#include "core/FormTimer.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"

namespace kelvora::core {
namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr std::int64_t kNanosecondsPerMillisecond = 1'000'000;

}  // namespace

// The count follows the clock, not the ticks: a tick that comes late, after
// the process stalled or the machine slept, shows the true remaining time, and
// the delay is not added to the countdown.
void FormTimer::RestartCount() {
    ElapsedSeconds = 0;
    CountStart = controls_.clock.Now();
    ArmNextTick(0);
}

std::int64_t FormTimer::NanosecondsCounted() const {
    return std::max<std::int64_t>(controls_.clock.Now() - CountStart, 0);
}

// The next tick is due at the next whole second since the start. A timer may
// fire a little early against the clock, so the wait is rounded up and given
// the clock's margin; a tick that comes early all the same counts nothing and
// asks for the rest of its second.
void FormTimer::ArmNextTick(std::int64_t counted) {
    const std::int64_t toNextSecond = kNanosecondsPerSecond - counted % kNanosecondsPerSecond;
    const auto milliseconds = static_cast<int>((toNextSecond + kNanosecondsPerMillisecond - 1) /
                                               kNanosecondsPerMillisecond);
    Timer1.SetInterval(milliseconds + controls_.clock.TickMarginMilliseconds());
}

void FormTimer::Timer1_Timer() {
    if (unloaded_) return;
    // Armed first as well as last: while this tick lets events run, a message
    // box may open and stay open, and the count must go on under it. The end
    // of the tick asks for the same moment again, by the same clock.
    if (Timer1.Enabled()) ArmNextTick(NanosecondsCounted());
    if (TotalSeconds >= 1) {
        // Past the end only when the tick came late: it shows zero, never a
        // negative time, and sounds the alarm now.
        const std::int32_t seconds = CheckedNarrow(NanosecondsCounted() / kNanosecondsPerSecond);
        ElapsedSeconds = std::min(seconds, TotalSeconds);
        ShowRemainTime();
        // The window may have closed while this tick let events run, by the
        // user or by a tick run then that sounded the alarm; and a stop there
        // ended the count. Only a countdown still running rings, and once.
        if (unloaded_) return;
        if (ElapsedSeconds >= TotalSeconds && Timer1.Enabled()) {
            Timer1.SetEnabled(false);
            controls_.PlaySoundA(SoundFile.c_str(), 0, win32api::SND_LOOP);
            controls_.form.Unload();
        }
    }
    // Only while enabled: a stop or an alarm handled while the tick let
    // events run stands.
    if (Timer1.Enabled()) ArmNextTick(NanosecondsCounted());
}

void FormTimer::ShowRemainTime() {
    try {
        const std::int32_t remaining = CheckedSubtract(TotalSeconds, ElapsedSeconds);
        txtMM.SetText(Format00(std::trunc(remaining / 60.0)));
        txtSS.SetText(Format00(static_cast<double>(remaining % 60)));
        // A click or a focus change waiting now is handled before the tick ends.
        controls_.events.DoEvents();
    } catch (const std::exception&) {
        // The tick goes on to its end all the same.
    }
}

}  // namespace kelvora::core
