// What a screen reader learns of the window: the button is named for what a
// press will do, with the picture files or without them, and the fields are
// named and described through the annotation service until the window closes.
// Wine's annotation service refuses every call, so a recording stands in.

#include <string>
#include <utility>
#include <vector>

#include "FormWindowFixture.h"
#include "core/Messages.h"
#include "platform/windows/Utf16.h"

namespace kelvora::win32::test {
namespace {

using Log = std::vector<std::pair<HWND, std::wstring>>;

class RecordingAnnotations final : public Annotations {
  public:
    explicit RecordingAnnotations(Log& log) : log_(log) {}
    void Set(HWND control, Property property, const std::wstring& text) override {
        log_.emplace_back(control, (property == Property::Name ? L"name " : L"description ") + text);
    }
    void Clear(HWND control) override { log_.emplace_back(control, L"cleared"); }

  private:
    Log& log_;
};

TEST_F(FormWindowTest, ButtonIsNamedForWhatAPressWillDo) {
    for (const bool pictureFiles : {false, true}) {
        if (pictureFiles) {
            std::filesystem::create_directories(DataFolder());
            for (const char* file : {"button_go.gif", "button_stop.gif"}) {
                std::filesystem::copy_file(FolderFromEnvironment("KELVORA_DATA_FILES") / file,
                                           DataFolder() / file);
            }
        }
        window_ = std::make_unique<FormTimerWindow>(messageBox_, [] {});
        Start();
        const HWND button = Control(FormControl::Command1);
        EXPECT_EQ(TextOf(button), L"開始");
        SetTextOf(Control(FormControl::txtMM), L"1");
        for (const wchar_t* name : {L"停止", L"開始"}) {
            PressKey(VK_RETURN);
            EXPECT_TRUE(PumpUntil([&] { return TextOf(button) == name; }))
                << pictureFiles << " " << platform::WideToUtf8(TextOf(button));
        }
    }
    EXPECT_TRUE(messageBox_.shown.empty());
}

TEST_F(FormWindowTest, FieldsAreNamedAndDescribedUntilTheWindowCloses) {
    Log log;
    window_ = std::make_unique<FormTimerWindow>(messageBox_, [] {},
                                                std::make_unique<RecordingAnnotations>(log));
    Start();
    const HWND mm = Control(FormControl::txtMM), ss = Control(FormControl::txtSS);
    Log expected{{mm, L"name 分"},
                 {mm, L"description " + platform::Utf8ToWide(core::messages::kMinutesTip)},
                 {ss, L"name 秒"},
                 {ss, L"description " + platform::Utf8ToWide(core::messages::kSecondsTip)}};
    EXPECT_EQ(log, expected);
    int children = 0;
    ::EnumChildWindows(window_->Handle(), [](HWND, LPARAM n) {
        return ++*reinterpret_cast<int*>(n), TRUE;
    }, reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, 3) << "Label1 is painted, with no window a proxy could announce";

    window_->Unload();
    expected.insert(expected.end(), {{mm, L"cleared"}, {ss, L"cleared"}});
    EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace kelvora::win32::test
