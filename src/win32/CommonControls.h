#pragma once
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// Version 6 of the common controls, brought in only for what looks its age
// without it: the tooltips and the message box. The executable's own manifest
// does not ask for it, so the fields and the button are the system's own
// classes (their look is all Kelvora's: no border, its own colours, an
// owner-drawn button) and the library stays unloaded until the pointer first
// moves over the window or a message box opens; under Wine it costs 3 MiB, as
// much as the rest of the program. A second manifest among the resources makes
// the activation context.
//
// While a scope lives, windows created on this thread get the version 6
// classes. Without the context (a resource missing, a system that refuses it)
// the scope does nothing and the system's classes serve.
class CommonControlsScope {
  public:
    CommonControlsScope();
    ~CommonControlsScope();
    CommonControlsScope(const CommonControlsScope&) = delete;
    CommonControlsScope& operator=(const CommonControlsScope&) = delete;

  private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// Loads the common controls inside the version 6 context and registers the
// tooltip class; true once it is registered. Not imported: an import would load
// the library, in its old version, at every start.
bool LoadTooltipClass();

}  // namespace kelvora::win32
