#include "win32/Tooltips.h"

#include "platform/windows/Utf16.h"
#include "win32/CommonControls.h"
// The tooltip control.
#include <commctrl.h>

namespace kelvora::win32 {

void Tooltips::Attach(HWND owner) { owner_ = owner; }

void Tooltips::Add(HWND control, const std::string& text) {
    tools_.emplace_back(control, platform::Utf8ToWide(text));
}

void Tooltips::Create() {
    tried_ = true;
    if (!LoadTooltipClass()) return;
    {
        const CommonControlsScope scope;
        tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    }
    if (tooltip_ == nullptr) return;
    for (auto& [control, text] : tools_) {
        TTTOOLINFOW tool{};
        // The size of the oldest layout that has every field used here, which
        // each version of the common controls accepts.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        // Not TTF_SUBCLASS: the mouse messages come through Relay.
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = owner_;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text.data();  // copied by the control
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Tooltips::Relay(const MSG& message) {
    switch (message.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            if (!tried_ && owner_ != nullptr) Create();
            if (tooltip_ != nullptr) {
                ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
            }
            break;
        default:
            break;
    }
}

}  // namespace kelvora::win32
