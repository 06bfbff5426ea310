#pragma once
#include <string>
#include <utility>
#include <vector>

#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A tooltip control for the form's controls: a pointer resting on a control
// shows its text. The control is made at the first mouse move over the
// window, with the common controls it needs: until then a Kelvora left alone
// costs nothing for tips nobody has asked for. The owner's message loop hands
// it the mouse messages (Relay): a subclassed control would look its subclass
// up in the window properties on every message it gets, each look-up a round
// trip to the window server under Wine, ticks and repaints included.
class Tooltips {
  public:
    // The owner's message loop begins handing over mouse messages once its
    // tools are known.
    void Attach(HWND owner);
    void Add(HWND control, const std::string& text);
    // Passes a mouse message on to the tooltip, making it first if need be;
    // other messages are ignored.
    void Relay(const MSG& message);
    HWND Handle() const { return tooltip_; }

  private:
    void Create();

    HWND owner_ = nullptr;
    std::vector<std::pair<HWND, std::wstring>> tools_;
    bool tried_ = false;      // made once, or failed once: never tried again
    HWND tooltip_ = nullptr;  // not ours: an owned window goes with its owner
};

}  // namespace kelvora::win32
