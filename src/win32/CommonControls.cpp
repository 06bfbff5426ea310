#include "win32/CommonControls.h"

#include "platform/windows/LibraryRoutine.h"
#include "platform/windows/SystemLibraries.h"
#include "win32/ResourceIds.h"
// INITCOMMONCONTROLSEX and the class names.
#include <commctrl.h>

namespace kelvora::win32 {

namespace {

// Made once and kept for the life of the process: each scope activates it.
HANDLE VersionSixContext() {
    static const HANDLE context = [] {
        ACTCTXW description{};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.hModule = ::GetModuleHandleW(nullptr);
        description.lpResourceName = MAKEINTRESOURCEW(IDR_COMMON_CONTROLS_MANIFEST);
        return ::CreateActCtxW(&description);
    }();
    return context;
}

}  // namespace

CommonControlsScope::CommonControlsScope() {
    const HANDLE context = VersionSixContext();
    active_ = context != INVALID_HANDLE_VALUE && ::ActivateActCtx(context, &cookie_) != FALSE;
}

CommonControlsScope::~CommonControlsScope() {
    if (active_) ::DeactivateActCtx(0, cookie_);
}

bool LoadTooltipClass() {
    const CommonControlsScope scope;
    // Found by the context among the system's side-by-side assemblies; only
    // from the system folder otherwise.
    const HMODULE library = platform::LoadSystemLibrary(L"comctl32.dll");
    using Initialize = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initialize = platform::LibraryRoutine<Initialize>(library, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    // The library stays: the tooltip's window procedure is in it.
    return initialize != nullptr && initialize(&classes) != FALSE;
}

}  // namespace kelvora::win32
