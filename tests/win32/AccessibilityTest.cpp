// What a screen reader learns of the window: the button is named for what a
// press will do, and the fields are named and described through the
// annotation service until the window closes. Wine's annotation service
// refuses every call, so a recording stands in for it.

#include <string>
#include <utility>
#include <vector>

#include "FormWindowFixture.h"
#include "core/Messages.h"
#include "platform/windows/Utf16.h"

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

TEST_F(FormWindowTest, ControlsAreNamedForScreenReaders) {
    Log log;
    window_ = std::make_unique<FormTimerWindow>(
        messageBox_, [] {}, std::make_unique<RecordingAnnotations>(log));
    Start();
    const HWND mm = Control(FormControl::txtMM), ss = Control(FormControl::txtSS);
    const auto tip = [](const char* text) { return L"description " + platform::Utf8ToWide(text); };
    Log expected{{mm, L"name 分"},
                 {mm, tip(core::messages::kMinutesTip)},
                 {ss, L"name 秒"},
                 {ss, tip(core::messages::kSecondsTip)}};
    EXPECT_EQ(log, expected) << "the button is named by its text alone";

    // The built-in pictures, then the picture files, which name no state: the
    // name follows the click, whichever picture shows.
    const HWND button = Control(FormControl::Command1);
    EXPECT_EQ(TextOf(button), L"開始");
    SetTextOf(mm, L"1");
    for (const bool pictureFiles : {false, true}) {
        if (pictureFiles)
            std::filesystem::copy(FolderFromEnvironment("KELVORA_DATA_FILES"), DataFolder());
        for (const wchar_t* name : {L"停止", L"開始"}) {
            PressKey(VK_RETURN);
            EXPECT_TRUE(PumpUntil([&] { return TextOf(button) == name; })) << pictureFiles;
        }
    }
    window_->Unload();
    expected.insert(expected.end(), {{mm, L"cleared"}, {ss, L"cleared"}});
    EXPECT_EQ(log, expected) << "the annotations go with the fields";
}

}  // namespace
}  // namespace kelvora::win32::test
