#pragma once
#include <string>

#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A tooltip control for the form's controls: a pointer resting on a control
// shows its text. The owner's message loop hands it the controls' mouse
// messages (Relay): a subclassed control would look its subclass up in the
// window properties on every message it gets, each look-up a round trip to
// the window server under Wine, ticks and repaints included.
class Tooltips {
  public:
    void Create(HWND owner);
    void Add(HWND control, const std::string& text);
    // Passes a mouse message on to the tooltip; other messages are ignored.
    void Relay(const MSG& message) const;
    HWND Handle() const { return tooltip_; }

  private:
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;  // not ours: an owned window goes with its owner
};

}  // namespace kelvora::win32
