#include "win32/WindowBase.h"

#include <exception>
#include <utility>

namespace kelvora::win32 {

namespace {

// The object whose window CreateWindowExW is making. The first messages
// (WM_GETMINMAXINFO first of all) come before WM_NCCREATE and its creation
// data, and the size the window is made at depends on the answer. Windows are
// made on the one thread that has windows.
WindowBase* creating = nullptr;

}  // namespace

WindowBase::~WindowBase() {
    if (hwnd_ == nullptr) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
}

HWND WindowBase::CreateFor(const WNDCLASSEXW& windowClass, DWORD exStyle, const wchar_t* title,
                           DWORD style, int x, int y, int width, int height, HWND parent) {
    WNDCLASSEXW registered{};
    if (!::GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &registered)) {
        WNDCLASSEXW own = windowClass;
        own.cbSize = sizeof(own);
        own.lpfnWndProc = &WindowBase::WindowProcedure;
        ::RegisterClassExW(&own);
    }
    creating = this;
    const HWND made =
        ::CreateWindowExW(exStyle, windowClass.lpszClassName, title, style, x, y, width, height,
                          parent, nullptr, windowClass.hInstance, nullptr);
    creating = nullptr;
    return made;
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void WindowBase::OnUncaughtException() { std::terminate(); }

LRESULT CALLBACK WindowBase::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr && creating != nullptr) {
        self = std::exchange(creating, nullptr);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    // A window whose object has gone.
    if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        try {
            self->OnUncaughtException();
        } catch (...) {
            std::terminate();
        }
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace kelvora::win32
