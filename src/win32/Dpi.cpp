#include "win32/Dpi.h"

#include "platform/windows/LibraryRoutine.h"

namespace kelvora::win32 {

namespace {

// Looked up by name so that Kelvora.exe still starts on systems without them.
template <typename Function>
Function User32Routine(const char* name) {
    return platform::LibraryRoutine<Function>(::GetModuleHandleW(L"user32.dll"), name);
}

UINT ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

UINT DpiForWindow(HWND window) {
    using Routine = UINT(WINAPI*)(HWND);
    static const auto routine = User32Routine<Routine>("GetDpiForWindow");
    const UINT dpi = routine != nullptr ? routine(window) : 0;
    return dpi != 0 ? dpi : ScreenDpi();
}

UINT DpiForSystem() {
    using Routine = UINT(WINAPI*)();
    static const auto routine = User32Routine<Routine>("GetDpiForSystem");
    const UINT dpi = routine != nullptr ? routine() : 0;
    return dpi != 0 ? dpi : ScreenDpi();
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
    using Routine = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto routine = User32Routine<Routine>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (routine != nullptr) {
        routine(&frame, style, FALSE, exStyle, dpi);
    } else {
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace kelvora::win32
