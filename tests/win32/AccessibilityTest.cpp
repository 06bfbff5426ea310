// What a screen reader learns of the window: the button is named for what a
// press will do, and the fields are named and described through the
// annotation service from a client's first request until the window closes.
// Wine's annotation service refuses every call, so a recording stands in.

#include <string>
#include <utility>
#include <vector>

#include "FormWindowFixture.h"

namespace kelvora::win32::test {
namespace {

using Log = std::vector<std::pair<HWND, std::wstring>>;

struct RecordingAnnotations final : Annotations {
    explicit RecordingAnnotations(Log& log) : log(log) {}
    void Set(HWND control, Property property, const std::wstring& text) override {
        log.emplace_back(control, (property == Property::Name ? L"name " : L"description ") + text);
    }
    void Clear(HWND control) override { log.emplace_back(control, L"cleared"); }
    Log& log;
};

// A screen reader started after the window asks the focused field itself, or
// announces itself through the system's flag.
TEST_F(FormWindowTest, ControlsAreNamedForScreenReaders) {
    Log log, expected;
    HWND mm = nullptr, ss = nullptr;
    for (const bool announced : {true, false}) {
        window_.reset();  // its quit message goes with it
        for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        }
        window_ = std::make_unique<FormTimerWindow>(
            messageBox_, [] {}, [&log] { return std::make_unique<RecordingAnnotations>(log); });
        log.clear();
        Start();
        EXPECT_TRUE(log.empty()) << "no client has asked yet, and no screen reader runs";
        mm = Control(FormControl::txtMM), ss = Control(FormControl::txtSS);
        if (announced) {  // Windows tells every window; Wine tells none
            ::SystemParametersInfoW(SPI_SETSCREENREADER, TRUE, nullptr, 0);
            ::SendMessageW(window_->Handle(), WM_SETTINGCHANGE, SPI_SETSCREENREADER, 0);
            ::SystemParametersInfoW(SPI_SETSCREENREADER, FALSE, nullptr, 0);
        } else {
            ::SendMessageW(ss, WM_GETOBJECT, 0, OBJID_CLIENT);
        }
        expected = {{mm, L"name 分"},
                    {mm, L"description 1～999分を設定"},
                    {ss, L"name 秒"},
                    {ss, L"description 1～999秒を設定"}};
        EXPECT_EQ(log, expected) << "the button is named by its text alone; " << announced;
    }
    // The built-in pictures, then the picture files, which name no state: the
    // name follows the click, whichever picture shows.
    const HWND button = Control(FormControl::Command1);
    const auto name = [button] {
        wchar_t text[16]{};
        ::GetWindowTextW(button, text, 16);
        return std::wstring(text);
    };
    EXPECT_EQ(name(), L"開始");
    ::SetWindowTextW(mm, L"1");
    const std::wstring names[] = {L"停止", L"開始"};
    for (int click = 0; click < 4; ++click) {
        if (click == 2)
            std::filesystem::copy(KELVORA_DATA_FILES, folder_ / "Data");
        PressKey(VK_RETURN);
        EXPECT_TRUE(Pump([&] { return name() == names[click % 2]; })) << click;
    }
    window_->Unload();
    expected.insert(expected.end(), {{mm, L"cleared"}, {ss, L"cleared"}});
    EXPECT_EQ(log, expected) << "the annotations go with the fields";
}

}  // namespace
}  // namespace kelvora::win32::test
