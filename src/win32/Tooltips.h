#pragma once
#include <string>

#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A tooltip control for the form's controls: a pointer resting on a control
// shows its text.
class Tooltips {
  public:
    void Create(HWND owner);
    void Add(HWND control, const std::string& text);
    HWND Handle() const { return tooltip_; }

  private:
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;  // not ours: an owned window goes with its owner
};

}  // namespace kelvora::win32
