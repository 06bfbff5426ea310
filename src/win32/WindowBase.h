#pragma once
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A window that is a C++ object: its first message stores `this` with the
// window, and each message then goes to HandleMessage of that object.
class WindowBase {
  public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return hwnd_; }

  protected:
    WindowBase() = default;
    // A window still open is destroyed without its messages reaching the
    // object, which is half gone by then.
    virtual ~WindowBase();

    // Registers the class (once per process) and creates the window.
    HWND CreateFor(const WNDCLASSEXW& windowClass, DWORD exStyle, const wchar_t* title, DWORD style,
                   int x, int y, int width, int height, HWND parent);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called when an exception leaves HandleMessage: it must not unwind
    // through the system's code that called the window procedure.
    virtual void OnUncaughtException();

  private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace kelvora::win32
