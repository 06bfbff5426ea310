// The front end's tests create real windows, which need COM for the imaging
// component and the common controls for the tooltips, as Kelvora.exe does.

#include <gtest/gtest.h>

#include "win32/SystemHeaders.h"
// COM, and the common controls.
#include <commctrl.h>
#include <objbase.h>

int main(int argc, char** argv) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
