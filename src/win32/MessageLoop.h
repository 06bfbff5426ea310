#pragma once
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A window's chance to take a message before it is translated and dispatched:
// keys that act wherever the focus is, and dialog navigation.
class MessageFilter {
  public:
    virtual ~MessageFilter() = default;
    virtual bool PreTranslate(MSG& message) = 0;
};

// What the program returns when the message loop fails.
inline constexpr int kMessageLoopFailed = 2;

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop(MessageFilter& filter);

// Handles the messages that are waiting, then returns. A WM_QUIT met here is
// posted again, so that the main loop still ends. Messages of an open dialog
// go through that dialog's keyboard handling.
void DispatchPending(MessageFilter& filter);

}  // namespace kelvora::win32
