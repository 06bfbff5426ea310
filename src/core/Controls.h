#pragma once
// What the form's logic needs of its controls. Each front end implements these
// over its own widgets; the tests implement them with recording fakes.

#include <cstdint>
#include <functional>
#include <string>

#include "core/ModuleWin32API.h"

namespace kelvora::core {

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // Selection positions count characters, not bytes.
    virtual void SetSelStart(int start) = 0;
    virtual void SetSelLength(int length) = 0;
    virtual void SetFocus() = 0;
};

enum class ButtonFace { Go, Stop };

class PictureButton {
public:
    virtual ~PictureButton() = default;
    // Shows the picture in the file, which stands for the state `face`; raises
    // 53 when the file is missing and 481 when it is not a picture the button
    // can show.
    virtual void SetPictureFromFile(const std::string& path, ButtonFace face) = 0;
    // Shows the picture built into the program for that state.
    virtual void SetBuiltInPicture(ButtonFace face) = 0;
    virtual void SetFocus() = 0;
};

// While enabled, ticks once per interval. Setting the interval restarts the
// wait: the next tick comes that many milliseconds from now.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetInterval(int milliseconds) = 0;
};

// The clock the countdown follows. It counts on while the machine sleeps and
// never goes back, whatever is done to the wall clock.
class Clock {
public:
    virtual ~Clock() = default;
    // Nanoseconds from a fixed origin.
    virtual std::int64_t Now() const = 0;
    // How far a timer's tick may land before its due time, read on this
    // clock: a tick is asked for this much after the moment it stands for.
    virtual int TickMarginMilliseconds() const = 0;
};

class Form {
public:
    virtual ~Form() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual win32api::HWND hWnd() const = 0;
    // Closes the window: raises the unload event and ends the program.
    virtual void Unload() = 0;
};

// Message box styles, with the numbers Windows gives them.
enum MessageStyle : int {
    kOkOnly = 0,
    kCritical = 16,
    kExclamation = 48,
    kInformation = 64,
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Modal; returns when dismissed.
    virtual void Show(const std::string& text, int style, const std::string& title) = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles the window events that are waiting, then returns.
    virtual void DoEvents() = 0;
};

// The controls of the countdown window, as the form sees them.
struct FormControls {
    Form& form;
    TextBox& txtMM;
    TextBox& txtSS;
    PictureButton& Command1;
    Timer& Timer1;
    MessageBox& messageBox;
    EventPump& events;
    const Clock& clock;
    // The alarm's sound: the Windows routine, unless a test listens for it.
    std::function<std::int32_t(const char*, std::uintptr_t, std::uint32_t)> PlaySoundA =
        win32api::PlaySoundA;
};

}  // namespace kelvora::core
