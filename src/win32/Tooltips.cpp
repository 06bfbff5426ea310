#include "win32/Tooltips.h"

#include "platform/windows/Utf16.h"
// The tooltip control.
#include <commctrl.h>

namespace kelvora::win32 {

void Tooltips::Create(HWND owner) {
    owner_ = owner;
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
}

void Tooltips::Add(HWND control, const std::string& text) {
    std::wstring wide = platform::Utf8ToWide(text);
    TTTOOLINFOW tool{};
    // The size of the oldest layout that has every field used here, which
    // each version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // Not TTF_SUBCLASS: the mouse messages come through Relay.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();  // copied by the control
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::Relay(const MSG& message) const {
    if (tooltip_ == nullptr) return;
    switch (message.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
            break;
        default:
            break;
    }
}

}  // namespace kelvora::win32
