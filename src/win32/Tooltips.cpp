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
    // The tooltip watches the control's mouse messages itself.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();  // copied by the control
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace kelvora::win32
