#include "FakeWindowRoutines.h"

namespace kelvora::test {

FakeWindow& Window() {
    static FakeWindow window;
    return window;
}

FakeWindow& ResetFakeWindow() {
    FakeWindow& window = Window();
    window = FakeWindow{};
    window.placement.length = sizeof(window.placement);
    window.placement.showCmd = win32api::SW_SHOWNORMAL;
    window.placement.rcNormalPosition = {10, 20, 130, 80};
    return window;
}

}  // namespace kelvora::test

namespace kelvora::win32api {

std::int32_t SetWindowPos(HWND, HWND hWndInsertAfter, std::int32_t, std::int32_t, std::int32_t,
                          std::int32_t, std::uint32_t uFlags) {
    const bool topmostOnly = hWndInsertAfter == HWND_TOPMOST && uFlags == (SWP_NOSIZE | SWP_NOMOVE);
    test::Window().calls.push_back(topmostOnly ? "SetWindowPos topmost" : "SetWindowPos other");
    return 1;
}

std::int32_t GetWindowPlacement(HWND, WINDOWPLACEMENT* placement) {
    if (placement->length != sizeof(WINDOWPLACEMENT)) return 0;
    *placement = test::Window().placement;
    test::Window().calls.push_back("GetWindowPlacement");
    return 1;
}

std::int32_t SetWindowPlacement(HWND, const WINDOWPLACEMENT* placement) {
    test::Window().placement = *placement;
    test::Window().calls.push_back("SetWindowPlacement");
    return 1;
}

}  // namespace kelvora::win32api
