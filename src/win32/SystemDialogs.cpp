#include "win32/SystemDialogs.h"

#include "platform/windows/Utf16.h"
#include "win32/CommonControls.h"

namespace kelvora::win32 {

void SystemMessageBox::Show(const std::string& text, int style, const std::string& title) {
    // The styles are Windows' own numbers: 16 error, 48 exclamation, 64
    // information, 0 no icon; always with the OK button alone.
    const UINT icon = static_cast<UINT>(style) & MB_ICONMASK;
    const HWND owner = ::IsWindow(owner_) ? owner_ : nullptr;
    // The box's buttons in the desktop's current look.
    const CommonControlsScope scope;
    ::MessageBoxW(owner, platform::Utf8ToWide(text).c_str(), platform::Utf8ToWide(title).c_str(),
                  MB_OK | icon);
}

}  // namespace kelvora::win32
