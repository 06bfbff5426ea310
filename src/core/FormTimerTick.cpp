#include <cmath>

#include "core/FormTimer.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"

namespace kelvora::core {

void FormTimer::Timer1_Timer() {
    if (TotalSeconds < 1) return;
    // Counted ticks, not clock time: a late tick still counts one second.
    ElapsedSeconds = CheckedAdd(ElapsedSeconds, 1);
    ShowRemainTime();
    if (ElapsedSeconds >= TotalSeconds) {
        Timer1.SetEnabled(false);
        win32api::PlaySoundA(SoundFile.c_str(), 0, win32api::SND_LOOP);
        controls_.form.Unload();
    }
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
