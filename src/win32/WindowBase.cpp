#include "win32/WindowBase.h"

#include <exception>

namespace kelvora::win32 {

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
    return ::CreateWindowExW(exStyle, windowClass.lpszClassName, title, style, x, y, width, height,
                             parent, nullptr, windowClass.hInstance, this);
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void WindowBase::OnUncaughtException() { std::terminate(); }

LRESULT CALLBACK WindowBase::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WindowBase*>(created->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // A few messages (WM_GETMINMAXINFO first of all) come before WM_NCCREATE.
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
