#pragma once
#include <functional>
#include <string>

#include "core/Controls.h"

namespace kelvora::core {

// The report of an error that left an event handler: its number and
// description, as the user sees it before the program ends.
std::string UncaughtErrorText(int number, const std::string& description);

// Runs one event handler. An error that leaves it is reported in a message box
// and `endProgram` is called; the front end ends the process there.
void RaiseEvent(const std::function<void()>& handler, MessageBox& messageBox,
                const std::function<void()>& endProgram);

}  // namespace kelvora::core
