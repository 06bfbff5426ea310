#include "Fakes.h"

#include "core/RuntimeError.h"

namespace kelvora::test {

void FakeTextBox::SetFocus() {
    const std::string name = this == &ui.txtMM ? "txtMM" : "txtSS";
    if (std::exchange(ui.focus, name) == name) return;
    if (this == &ui.txtMM) ui.timer.txtMM_GotFocus();
    else ui.timer.txtSS_GotFocus();
}

std::string FakeFrontEnd::Messages() const {
    std::string texts;
    for (const Shown& box : shown) texts += (texts.empty() ? "" : " | ") + box.text;
    return texts;
}

void FakeFrontEnd::Unload() {
    std::int16_t cancel = 0;
    timer.Form_Unload(cancel);
    unloaded = true;
}

void FakeFrontEnd::SetPictureFromFile(const std::string& path) {
    const std::filesystem::path file = std::u8string(path.begin(), path.end());
    if (!std::filesystem::is_regular_file(file)) core::RaiseError(core::kFileNotFound);
    if (ReadBytes(file).rfind("GIF8", 0) != 0) core::RaiseError(core::kInvalidPicture);
    picture = path;
}

FakeWindow& Window() {
    static FakeWindow window;
    return window;
}

void ResetWindow() {
    Window() = {};
    Window().placement.length = sizeof(win32api::WINDOWPLACEMENT);
    Window().placement.showCmd = win32api::SW_SHOWNORMAL;
    Window().placement.rcNormalPosition = {10, 20, 130, 80};
}

}  // namespace kelvora::test

namespace kelvora::win32api {

std::int32_t SetWindowPos(HWND, HWND after, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                          std::uint32_t flags) {
    test::Window().topmost = after == HWND_TOPMOST && flags == (SWP_NOSIZE | SWP_NOMOVE);
    return 1;
}

std::int32_t GetWindowPlacement(HWND, WINDOWPLACEMENT* placement) {
    if (placement->length != sizeof(WINDOWPLACEMENT)) return 0;
    *placement = test::Window().placement;
    return 1;
}

std::int32_t SetWindowPlacement(HWND, const WINDOWPLACEMENT* placement) {
    test::Window().placement = *placement;
    ++test::Window().placed;
    return 1;
}

}  // namespace kelvora::win32api
