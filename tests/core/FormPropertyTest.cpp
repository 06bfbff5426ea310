// The countdown window under any order of what the user, the clock and the
// toolkit do, checked after every step: the alarm rings once, on time and only
// for a running countdown; each tick shows the time the clock leaves and asks
// for the next whole second; a box or a tick's events, however nested, have
// their ticks; a start or stop saves what it read; nothing acts once the form
// has unloaded. RC_PARAMS="seed=N max_success=M" runs other schedules than CI's.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <deque>

#include "Fakes.h"
#include "core/App.h"

namespace kelvora::test {
namespace {

constexpr std::int64_t kSecond = 1'000'000'000, kMs = 1'000'000;

// Typing (`n` picks the texts), a click by mouse or key, a tick `n` ms from its
// due time, `n` ms of a stall or sleep, the close box, and the end of the
// innermost loop: a message box, or the events a tick lets run.
// clang-format off
enum Kind : char { TypeIn = 'T', Mouse = 'm', Key = 'k', TickAt = '+', Sleep = 's', Close = 'x', End = 'e' };
struct Step { Kind kind; int n = 0; };
void showValue(const Step& step, std::ostream& out) { out << char(step.kind) << step.n; }
const std::string kTexts[] = {"", "x", "007", "0", "1", "3", "59", "60", "999", "1000"};
const std::filesystem::path kSetting = "Data/TimerSet.txt";  // in the folder the test runs in
// The fake window's placement, as the close saves it under the program's name.
const std::string kPlacementSaved = "[WinPos]\r\nLeft=-8\r\nRight=90\r\nTop=40\r\nBottom=97\r\nshowCmd=2\r\n";
// clang-format on

rc::Gen<Step> AnyStep() {
    const auto step = [](Kind kind, int low, int high) {
        return rc::gen::map(rc::gen::inRange(low, high), [kind](int n) { return Step{kind, n}; });
    };
    // clang-format off
    return rc::gen::weightedOneOf<Step>({{10, step(TypeIn, 0, 100)}, {5, step(Mouse, 0, 1)},
        {5, step(Key, 0, 1)}, {60, step(TickAt, -40, 40)}, {20, step(TickAt, 40, 3000)},
        {10, step(Sleep, 1, 5000)}, {15, step(Sleep, 5000, 4'000'000)}, {40, step(End, 0, 1)},
        {1, step(Close, 0, 1)}});
    // clang-format on
}

int Value(const std::string& text) {  // what a user types here, or a tick shows
    return text.find_first_not_of("0123456789") == text.npos && !text.empty() ? std::stoi(text) : 0;
}

// Each step runs inside whatever loop is open. A box is modal: no key, click or
// close reaches the form while it is open.
class Schedule : public FakeFrontEnd {
  public:
    explicit Schedule(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
        for (Load(); !steps_.empty();) Next();
    }

  private:
    bool Next() {
        const Step step = steps_.front();
        steps_.pop_front();
        if (boxes_ > 0 && step.kind != TickAt && step.kind != Sleep && step.kind != End)
            return false;
        if (step.kind == TypeIn && !unloaded) Type(kTexts[step.n / 10], kTexts[step.n % 10]);
        if (step.kind == Mouse || step.kind == Key) ClickAndCheck(step.kind == Mouse);
        if (step.kind == TickAt) TickAndCheck(step.n);
        if (step.kind == Sleep) Wait(step.n);
        if (step.kind == Close && !unloaded) closedByUser_ = true, Unload();
        RC_ASSERT(alarms <= 1);
        if (alarms == 1) RC_ASSERT(runningAtAlarm == 1 && running_ && alarmAt >= Due());
        if (alarms == 1) RC_ASSERT(alarmFile == core::App().Path + "/Data/notify.wav");
        if (closed_) RC_ASSERT(Observed() == *closed_);
        if (!closed_) RC_ASSERT(timer.Running == running_ && enabled == running_);
        return step.kind == End;
    }

    // The countdown as the user set it: running or not, since when, how long.
    int running_ = 0, total_ = 0;
    std::int64_t start_ = 0;
    std::int64_t Due() const { return start_ + total_ * kSecond; }

    void ClickAndCheck(bool byMouse) {
        if (unloaded) return timer.Command1_Click();  // one the toolkit had on its way
        const int mm = Value(txtMM.text), ss = Value(txtSS.text), total = mm * 60 + ss;
        const std::string saved = ReadBytes(kSetting);
        byMouse ? Click() : timer.Command1_Click();
        const bool accepted = mm <= 999 && ss <= 999 && total >= 1 && total <= 59940;
        const std::string record = std::to_string(mm) + "," + std::to_string(ss) + "\r\n";
        RC_ASSERT(ReadBytes(kSetting) == (accepted ? record : saved));
        if (accepted) running_ = !running_, start_ = now, total_ = total;
    }

    void TickAndCheck(int fromDue) {
        if (unloaded) return timer.Timer1_Timer();  // one the toolkit had on its way
        if (!enabled) return;
        now = std::max(now, due + fromDue * kMs);
        const std::int64_t at = now, startedAt = start_;
        Fire();
        // Due when it came, and no stop, start or close meanwhile: it rang.
        if (at >= Due() && start_ == startedAt && !closedByUser_) RC_ASSERT(alarms == 1);
        // The next tick comes just after the next whole second since the start.
        const std::int64_t next = start_ + ((now - start_) / kSecond + 1) * kSecond;
        if (enabled && !unloaded) RC_ASSERT(due >= next + 16 * kMs && due < next + 17 * kMs);
    }

    // Once a tick shows the time, it lets the events run.
    void DoEvents() override {
        const std::int64_t left = total_ - std::min<std::int64_t>((now - start_) / kSecond, total_);
        RC_ASSERT(running_ && Shows() == (left < 600 ? "0" : "") + std::to_string(left / 60) + ":" +
                                             std::to_string(left % 60 / 10) +
                                             std::to_string(left % 10));
        Nested();
    }
    void Show(const std::string& text, int style, const std::string& title) override {
        FakeFrontEnd::Show(text, style, title);
        ++boxes_, Nested(), --boxes_;
    }
    // A loop inside an event: a countdown that runs has its next tick coming.
    void Nested() {
        RC_ASSERT(!enabled || armed);
        while (!steps_.empty() && !unloaded && !Next()) {
        }
    }
    void Unload() override {
        FakeFrontEnd::Unload();
        if (!closed_) closed_ = Observed();
        RC_ASSERT(ReadBytes("Data/MyTimer.ini") == kPlacementSaved);
    }
    std::string Observed() const {
        return Shows() + messages + std::to_string(alarms + 10 * timer.Running + 100 * enabled) +
               ReadBytes(kSetting) + ReadBytes("Data/MyTimer.ini");
    }

    std::deque<Step> steps_;
    int boxes_ = 0;
    bool closedByUser_ = false;
    std::optional<std::string> closed_;
};

RC_GTEST_PROP(FormProperty, HoldsWhateverTheUserTheClockAndTheToolkitDo, ()) {
    static const TempFolder folder;
    core::App().Path = Utf8(folder.Path()), core::App().EXEName = "MyTimer";
    std::filesystem::current_path(folder.Path());
    std::filesystem::remove_all("Data");
    window.placement = {44, 0, 2, {}, {}, {-8, 40, 90, 97}};
    // Most schedules are worth more with a countdown running from the start.
    std::vector<Step> steps;
    if (*rc::gen::arbitrary<bool>()) steps = {{TypeIn, *rc::gen::inRange(34, 39)}, {Mouse}};
    for (const Step& step : *rc::gen::container<std::vector<Step>>(AnyStep()))
        steps.push_back(step);
    Schedule{steps};
}

}  // namespace
}  // namespace kelvora::test
