#pragma once
#include <QWidget>

#include "core/ModuleWin32API.h"

namespace kelvora::qt {

// The numbers the logic knows windows by. A handle stays valid while its
// window lives; a handle of a window that is gone finds nothing.
win32api::HWND RegisterWindow(QWidget* window);
void UnregisterWindow(win32api::HWND handle);
QWidget* WindowFromHandle(win32api::HWND handle);

}  // namespace kelvora::qt
