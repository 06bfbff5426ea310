// The countdown window under any order of what the user, the clock and the
// toolkit do, checked after every step: the alarm rings once, on time and only
// for a running countdown; each tick shows the time the clock leaves; a box or
// a tick's events, however nested, have their ticks; a start or stop saves
// what it read; nothing acts once the form has unloaded.
//
// RC_PARAMS="seed=N max_success=M" runs other schedules than CI's.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cstdio>
#include <deque>
#include <optional>

#include "Fakes.h"
#include "core/App.h"

namespace kelvora::test {
namespace {

constexpr std::int64_t kSecond = 1'000'000'000;

enum class Kind { Type, Click, KeyClick, Tick, Sleep, Close, Return };

struct Step {
    Kind kind;
    int milliseconds = 0;    // Tick: from its due time, early or late; Sleep: how long
    std::string mm{}, ss{};  // Type
};

void showValue(const Step& step, std::ostream& out) {
    const char* names[] = {"Type", "Click", "KeyClick", "Tick", "Sleep", "Close", "Return"};
    out << names[static_cast<int>(step.kind)];
    if (step.kind == Kind::Type) out << " " << step.mm << ":" << step.ss;
    if (step.kind == Kind::Tick || step.kind == Kind::Sleep) out << " " << step.milliseconds;
}

rc::Gen<std::string> FieldText() {
    const auto digits = [](int low, int high) {
        return rc::gen::map(rc::gen::inRange(low, high), [](int v) { return std::to_string(v); });
    };
    return rc::gen::oneOf(rc::gen::element<std::string>("", "x", "00", "007"), digits(0, 4),
                          digits(0, 100), digits(0, 1100));
}

rc::Gen<Step> AnyStep() {
    using rc::gen::just, rc::gen::map, rc::gen::inRange;
    const auto timed = [](Kind kind, int low, int high) {
        return map(inRange(low, high), [kind](int ms) { return Step{kind, ms}; });
    };
    return rc::gen::weightedOneOf<Step>({
        {10, map(rc::gen::pair(FieldText(), FieldText()),
                 [](const auto& typed) {
                     return Step{Kind::Type, 0, typed.first, typed.second};
                 })},
        {5, just(Step{Kind::Click})},
        {5, just(Step{Kind::KeyClick})},
        {60, timed(Kind::Tick, -40, 40)},           // on time, a little early or late
        {20, timed(Kind::Tick, 40, 3000)},          // late
        {10, timed(Kind::Sleep, 1, 5000)},          // a stall
        {15, timed(Kind::Sleep, 5000, 4'000'000)},  // a sleep
        {40, just(Step{Kind::Return})},  // a box is closed, or the pending events are done
        {1, just(Step{Kind::Close})},
    });
}

// What a user types and what a tick shows are whole numbers, or not numbers
// at all, which count as 0.
int Value(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == text.npos ? std::stoi(text) : 0;
}

// The front end, driven by a schedule: a step ends the innermost message box
// or event pump with Return, and the steps after it run inside whatever loop
// is running, as a toolkit delivers them. A box is modal: no key or click
// reaches the form while it is open.
class Schedule : public FakeFrontEnd {
  public:
    Schedule(const std::vector<Step>& steps, std::filesystem::path setting)
        : steps_(steps.begin(), steps.end()), setting_(std::move(setting)) {}

    void Run() {
        Load();
        while (!steps_.empty()) Next();
    }

  private:
    // The countdown as the user set it: running or not, from when, how long.
    struct Model {
        bool running = false;
        std::int64_t start = 0;
        int total = 0;
        std::optional<std::int64_t> deadline;
        bool operator==(const Model&) const = default;
    };

    bool Next() {
        const Step step = steps_.front();
        steps_.pop_front();
        const bool ends = Do(step);
        Check();
        return ends;
    }

    void Loop() {
        while (!steps_.empty() && !unloaded && !Next()) {
        }
    }

    bool Do(const Step& step) {
        const bool input = step.kind == Kind::Type || step.kind == Kind::Click ||
                           step.kind == Kind::KeyClick || step.kind == Kind::Close;
        if (input && boxes_ > 0) return false;
        switch (step.kind) {
            case Kind::Type:
                if (!unloaded) Type(step.mm, step.ss);
                return false;
            case Kind::Click:
            case Kind::KeyClick:
                ClickAndCheck(step.kind == Kind::Click);
                return false;
            case Kind::Tick:
                TickAndCheck(step.milliseconds);
                return false;
            case Kind::Sleep:
                Wait(step.milliseconds);
                return false;
            case Kind::Close:
                if (!unloaded) closedByUser_ = true, Unload();
                return false;
            case Kind::Return:
                return true;
        }
        return false;
    }

    void ClickAndCheck(bool byMouse) {
        const bool wasUnloaded = unloaded;
        const int mm = Value(txtMM.text), ss = Value(txtSS.text), total = mm * 60 + ss;
        const bool accepted = mm <= 999 && ss <= 999 && total >= 1 && total <= 59940;
        const std::string saved = ReadBytes(setting_);
        byMouse ? Click() : timer.Command1_Click();
        if (wasUnloaded) return;
        if (!accepted) {
            RC_ASSERT(ReadBytes(setting_) == saved);
            return;
        }
        RC_ASSERT(ReadBytes(setting_) == std::to_string(mm) + "," + std::to_string(ss) + "\r\n");
        model_.running = !model_.running;
        model_.start = now, model_.total = total;
        model_.deadline.reset();
        if (model_.running) model_.deadline = now + total * kSecond;
    }

    void TickAndCheck(int fromDue) {
        if (unloaded) return timer.Timer1_Timer();  // one the toolkit had on its way
        if (!enabled) return;
        now = std::max<std::int64_t>(now, due + fromDue * std::int64_t{1'000'000});
        const Model before = model_;
        const std::int64_t at = now;
        Fire();
        // Due when it came, and no stop, start or close meanwhile: the alarm has rung.
        if (before.deadline && at >= *before.deadline && model_ == before && !closedByUser_)
            RC_ASSERT(alarms == 1);
    }

    // A tick lets the events run once it shows the time.
    void DoEvents() override {
        FakeFrontEnd::DoEvents();
        RC_ASSERT(model_.running);
        const std::int64_t elapsed = std::max<std::int64_t>(now - model_.start, 0) / kSecond;
        const auto remaining =
            static_cast<int>(model_.total - std::min<std::int64_t>(elapsed, model_.total));
        char shown[32];
        std::snprintf(shown, sizeof shown, "%02d:%02d", remaining / 60, remaining % 60);
        RC_ASSERT(Shows() == shown);
        Nested();
    }

    void Show(const std::string& text, int style, const std::string& title) override {
        FakeFrontEnd::Show(text, style, title);
        ++boxes_;
        Nested();
        --boxes_;
    }

    // A loop inside an event: a countdown that runs has its next tick coming.
    void Nested() {
        RC_ASSERT(!enabled || armed);
        Loop();
    }

    void Unload() override {
        FakeFrontEnd::Unload();
        if (!closed_) closed_ = Observed();
    }

    std::string Observed() const {
        return Shows() + messages + std::to_string(alarms) + std::to_string(timer.Running) +
               std::to_string(enabled) + ReadBytes(setting_) +
               ReadBytes(setting_.parent_path() / "Kelvora.ini");
    }

    void Check() const {
        RC_ASSERT(alarms <= 1);
        if (alarms == 1) {
            RC_ASSERT(runningAtAlarm == 1);
            RC_ASSERT(model_.deadline.has_value() && alarmAt >= *model_.deadline);
        }
        if (closed_) {
            RC_ASSERT(Observed() == *closed_);
            return;
        }
        RC_ASSERT(timer.Running == int(model_.running));
        RC_ASSERT(enabled == model_.running);
    }

    std::deque<Step> steps_;
    std::filesystem::path setting_;
    Model model_;
    int boxes_ = 0;
    bool closedByUser_ = false;
    std::optional<std::string> closed_;
};

RC_GTEST_PROP(FormProperty, HoldsWhateverTheUserTheClockAndTheToolkitDo, ()) {
    static const TempFolder folder;
    core::App().Path = Utf8(folder.Path());
    core::App().EXEName = "Kelvora";
    const std::filesystem::path data = folder / "Data";
    std::filesystem::remove_all(data);
    // Most schedules are worth more with a countdown running from the start.
    std::vector<Step> steps;
    if (*rc::gen::arbitrary<bool>()) steps = {{Kind::Type, 0, "0", *FieldText()}, {Kind::Click}};
    for (const Step& step : *rc::gen::container<std::vector<Step>>(AnyStep()))
        steps.push_back(step);
    Schedule(steps, data / "TimerSet.txt").Run();
}

}  // namespace
}  // namespace kelvora::test
