// Kelvora.exe: creates the countdown window, raises its load event, shows it
// and dispatches events until the window is unloaded.

#include "win32/FormTimerWindow.h"
#include "win32/SystemDialogs.h"
#include "win32/SystemHeaders.h"
// After the front end's headers, which order windows.h after the logic's.
#include "platform/windows/SystemLibraries.h"
// COM for the imaging component and the accessibility annotations.
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // Before anything can load a library on the program's behalf.
    kelvora::platform::SearchSystemFolderOnly();
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    kelvora::win32::SystemMessageBox messageBox;
    // After an uncaught error has been reported the program ends at once.
    kelvora::win32::FormTimerWindow window(messageBox, [] { ::ExitProcess(1); });
    window.Create();
    if (window.Handle() == nullptr) return 1;
    messageBox.SetOwner(window.Handle());
    window.LoadAndShow();
    const int exitCode = kelvora::win32::RunMessageLoop(window);

    if (SUCCEEDED(com)) ::CoUninitialize();
    return exitCode;
}
