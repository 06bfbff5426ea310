#pragma once
// A front end of recording fakes around the real FormTimer, and the window
// routines it calls (Fakes.cpp). The files it reads and writes are real ones.

#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "../platform/TempFolder.h"
#include "core/FormTimer.h"
#include "core/RuntimeError.h"

namespace kelvora::test {

using namespace platform::test;  // TempFolder, ReadBytes, WriteBytes

// The program keeps paths as UTF-8 text.
inline std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

struct FakeFrontEnd;

struct FakeTextBox : core::TextBox {
    FakeTextBox(FakeFrontEnd& ui, std::string text) : ui(ui), text(std::move(text)) {}
    std::string Text() const override { return text; }
    void SetText(const std::string& value) override { text = value; }
    void SetSelStart(int start) override { selStart = start; }
    void SetSelLength(int length) override { selLength = length; }
    void SetFocus() override;  // raises the got-focus event, as a real field does
    FakeFrontEnd& ui;
    std::string text;
    int selStart = -1, selLength = -1;
    std::function<void()> onFocus;  // what else happens when the field takes the focus
};

// The window, its button, timer, clock, message boxes and event queue in one.
// clang-format off
struct FakeFrontEnd : core::Form, core::PictureButton, core::Timer, core::Clock, core::MessageBox,
                      core::EventPump {
    // clang-format on
    void Load() { timer.Form_Load(); }
    void Type(std::string mm, std::string ss) { txtMM.text = mm, txtSS.text = ss; }
    // A click as the mouse makes it: the button takes the focus first.
    void Click() { SetFocus(), timer.Command1_Click(); }
    // A tick on time: one second after the last.
    void Tick() { Wait(1000), timer.Timer1_Timer(); }
    void Wait(double milliseconds) { now += std::llround(milliseconds * 1e6); }
    std::string Shows() const { return txtMM.text + ":" + txtSS.text; }

    void SetCaption(const std::string& text) override { caption = text; }
    win32api::HWND hWnd() const override { return 0x1234; }
    void Unload() override { timer.Form_Unload(cancel), unloaded = true; }
    // Takes a file that exists and starts like a GIF, as a real picture would.
    void SetPictureFromFile(const std::string& path, core::ButtonFace) override {
        const std::filesystem::path file = std::u8string(path.begin(), path.end());
        if (!std::filesystem::is_regular_file(file)) core::RaiseError(core::kFileNotFound);
        if (!ReadBytes(file).starts_with("GIF8")) core::RaiseError(core::kInvalidPicture);
        picture = path;
    }
    void SetBuiltInPicture(core::ButtonFace face) override {
        picture = face == core::ButtonFace::Go ? "builtin:go" : "builtin:stop";
    }
    void SetFocus() override { focus = "Command1"; }
    // Timer1 as a single-shot timer that each wait arms for `due`: a tick
    // disarms it, and one that asked for no wait gets the last interval.
    void SetEnabled(bool on) override {
        if (on != enabled) armed = on && Arm();
        enabled = on;
    }
    bool Enabled() const override { return enabled; }
    void SetInterval(int milliseconds) override {
        interval = milliseconds, armed = enabled && Arm();
    }
    bool Arm() { return due = now + interval * 1'000'000LL, true; }
    void Fire() { armed = false, timer.Timer1_Timer(), armed = armed || (enabled && Arm()); }
    std::int64_t Now() const override { return now; }
    int TickMarginMilliseconds() const override { return 16; }
    void Show(const std::string& text, int style, const std::string& title) override {
        messages += " [" + std::to_string(style) + " " + title + ": " + text + "]";
    }
    void DoEvents() override {
        ++pumped;
        if (pending) std::exchange(pending, nullptr)();
    }

    FakeTextBox txtMM{*this, "000"}, txtSS{*this, "00"};  // as designed
    std::string caption = "  Kelvora", picture = "builtin:go";
    std::string focus;    // "txtMM", "txtSS", "Command1" or empty
    bool enabled = true;  // the timer is enabled when created
    bool unloaded = false;
    std::int16_t cancel = 0;  // the unload event's argument, which nothing sets
    std::string messages;     // " [<style> <title>: <text>]" for each box shown
    int pumped = 0;
    int interval = 1000;           // Timer1's, in milliseconds
    std::int64_t now = 7'000'000;  // the clock, in nanoseconds
    bool armed = true;             // a tick is due at `due` on the clock
    std::int64_t due = now + 1'000'000'000;
    std::function<void()> pending;       // what the user does during the next DoEvents
    int alarms = 0, runningAtAlarm = 0;  // the sound, and the state, clock and file it rang with
    std::int64_t alarmAt = 0;
    std::string alarmFile;
    core::FormTimer timer{{*this, txtMM, txtSS, *this, *this, *this, *this, *this,
                           [this](const char* file, std::uintptr_t module, std::uint32_t flags) {
                               ++alarms, alarmAt = now, runningAtAlarm = timer.Running,
                                         alarmFile = file;
                               return win32api::PlaySoundA(file, module, flags);
                           }}};
};

inline void FakeTextBox::SetFocus() {
    if (onFocus) onFocus();
    const std::string name = this == &ui.txtMM ? "txtMM" : "txtSS";
    if (std::exchange(ui.focus, name) == name) return;
    if (this == &ui.txtMM) ui.timer.txtMM_GotFocus();
    if (this == &ui.txtSS) ui.timer.txtSS_GotFocus();
}

// The one window the routines position: a normal one at (10, 20)-(130, 80)
// until the logic moves it.
struct FakeWindow {
    win32api::WINDOWPLACEMENT placement{44, 0, win32api::SW_SHOWNORMAL, {}, {}, {10, 20, 130, 80}};
    bool topmost = false;
};
inline FakeWindow window;
inline void ResetWindow() { window = {}; }

}  // namespace kelvora::test
