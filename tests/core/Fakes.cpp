// The window routines the logic calls, on the fake window.

#include "Fakes.h"

namespace kelvora::win32api {

std::int32_t SetWindowPos(HWND, HWND after, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                          std::uint32_t flags) {
    test::window.topmost = after == HWND_TOPMOST && flags == (SWP_NOSIZE | SWP_NOMOVE);
    return 1;
}

std::int32_t GetWindowPlacement(HWND, WINDOWPLACEMENT* placement) {
    if (placement->length != sizeof(WINDOWPLACEMENT)) return 0;
    *placement = test::window.placement;
    return 1;
}

std::int32_t SetWindowPlacement(HWND, const WINDOWPLACEMENT* placement) {
    test::window.placement = *placement;
    return 1;
}

}  // namespace kelvora::win32api
