#include "CoreFixture.h"
#include "core/App.h"
#include "core/FileSystem.h"
#include "core/ModuleWin32API.h"

namespace kelvora::test {
namespace {

using win32api::SW_SHOWNORMAL;

class FormLoad : public CoreFixture {
protected:
    FakeFrontEnd ui;
};

TEST_F(FormLoad, FirstStartCreatesTheDataFolderAndOffersZero) {
    ui.Load();
    EXPECT_TRUE(std::filesystem::is_directory(DataFolder()));
    EXPECT_EQ(ui.txtMM.Text(), "00");
    EXPECT_EQ(ui.txtSS.Text(), "00");
    EXPECT_TRUE(ui.messageBox.shown.empty());
    EXPECT_FALSE(ui.Timer1.Enabled());
    EXPECT_EQ(ui.timer.Running, 0);
    EXPECT_EQ(ui.focus, "txtMM");
    EXPECT_EQ(ui.txtMM.selStart, 0);
    EXPECT_EQ(ui.txtMM.selLength, 2);
    EXPECT_EQ(ui.form.caption, "  Kelvora");
    // Topmost first, then the placement the window already has goes back to it.
    EXPECT_EQ(Window().calls, (std::vector<std::string>{"SetWindowPos topmost",
                                                        "GetWindowPlacement",
                                                        "SetWindowPlacement"}));
    EXPECT_EQ(Window().placement.rcNormalPosition.left, 10);
    // Nothing is written until the first click or unload.
    EXPECT_FALSE(std::filesystem::exists(SettingFile()));
    EXPECT_FALSE(std::filesystem::exists(ProfileFile()));
}

TEST_F(FormLoad, FormsEveryPathInsideTheDataFolder) {
    ui.Load();
    const std::string data = ui.timer.AppPath + core::kPathSeparator + "Data";
    EXPECT_EQ(ui.timer.DataPath, data);
    EXPECT_EQ(ui.timer.SoundFile, data + core::kPathSeparator + "notify.wav");
    EXPECT_EQ(ui.timer.SettingFile, data + core::kPathSeparator + "TimerSet.txt");
    EXPECT_EQ(ui.timer.GoImageFile, data + core::kPathSeparator + "button_go.gif");
    EXPECT_EQ(ui.timer.StopImageFile, data + core::kPathSeparator + "button_stop.gif");
}

TEST_F(FormLoad, RestoresTheSavedSettingAndPlacement) {
    WriteSetting("5,30\r\n");
    WriteBytes(ProfileFile(),
               "[WinPos]\r\nLeft=100\r\nRight=300\r\nTop=50\r\nBottom=150\r\nshowCmd=1\r\n");
    ui.Load();
    EXPECT_EQ(ui.txtMM.Text(), "05");
    EXPECT_EQ(ui.txtSS.Text(), "30");
    const auto& rect = Window().placement.rcNormalPosition;
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right, 300);
    EXPECT_EQ(rect.bottom, 150);
    EXPECT_EQ(Window().placement.showCmd, SW_SHOWNORMAL);
}

TEST_F(FormLoad, AFolderThatCannotBeCreatedIsReportedAndTheWindowStillOpens) {
    core::App().Path = core::FromPath(AppFolder() / "missing" / "deeper");
    ui.Load();
    EXPECT_EQ(ui.form.caption, "****フォームの初期処理エラー****");
    ASSERT_EQ(ui.messageBox.shown.size(), 1u);
    EXPECT_EQ(ui.messageBox.shown[0].text, "パスが見つかりません。");
    EXPECT_EQ(ui.messageBox.shown[0].style, core::kOkOnly);
    EXPECT_EQ(ui.messageBox.shown[0].title, "Kelvora");
    // The steps after the failure did not run.
    EXPECT_EQ(ui.txtMM.Text(), "000");
    EXPECT_EQ(ui.txtSS.Text(), "00");
    EXPECT_EQ(ui.focus, "");
    EXPECT_TRUE(Window().calls.empty());
    EXPECT_TRUE(ui.timer.SettingFile.empty());
    EXPECT_FALSE(ui.Timer1.Enabled());
}

TEST_F(FormLoad, AHandEditedPlacementThatIsNotANumberLeavesTheWindowWhereItIs) {
    WriteSetting("5,30\r\n");
    for (const char* value : {"abc", "", "99999999999"}) {
        ResetFakeWindow();
        WriteBytes(ProfileFile(), std::string("[WinPos]\r\nLeft=120\r\nTop=") + value + "\r\n");
        FakeFrontEnd fresh;
        fresh.Load();
        EXPECT_EQ(fresh.form.caption, "****フォームの初期処理エラー****") << value;
        ASSERT_EQ(fresh.messageBox.shown.size(), 1u);
        EXPECT_EQ(fresh.messageBox.shown[0].text,
                  std::string(value) == "99999999999" ? "オーバーフローしました。"
                                                      : "型が一致しません。");
        EXPECT_EQ(Window().placement.rcNormalPosition.left, 10) << "nothing applied";
        EXPECT_EQ(fresh.txtMM.Text(), "000") << "the setting was not read";
    }
}

TEST_F(FormLoad, MissingKeysKeepTheWindowsOwnValues) {
    MakeDataFolder();
    WriteBytes(ProfileFile(), "; hand-written\r\n[winpos]\r\n  LEFT = 200 \r\n");
    ui.Load();
    const auto& rect = Window().placement.rcNormalPosition;
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 130);
    EXPECT_EQ(ui.form.caption, "  Kelvora");
}

TEST_F(FormLoad, UnloadSavesThePlacementButNotTheSetting) {
    WriteSetting("1,0\r\n");
    ui.Load();
    ui.Type("7", "0");
    Window().placement.rcNormalPosition = {-8, 40, 90, 97};
    Window().placement.showCmd = 2;
    std::int16_t cancel = 0;
    ui.timer.Form_Unload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(ReadBytes(ProfileFile()),
              "[WinPos]\r\nLeft=-8\r\nRight=90\r\nTop=40\r\nBottom=97\r\nshowCmd=2\r\n");
    EXPECT_EQ(ReadBytes(SettingFile()), "1,0\r\n");

    ResetFakeWindow();
    FakeFrontEnd next;
    next.Load();
    EXPECT_EQ(Window().placement.rcNormalPosition.left, -8);
    EXPECT_EQ(Window().placement.rcNormalPosition.bottom, 97);
    EXPECT_EQ(Window().placement.showCmd, 2u);
}

TEST_F(FormLoad, TheProfileFollowsTheExecutablesName) {
    core::App().EXEName = "MyTimer";
    MakeDataFolder();
    std::int16_t cancel = 0;
    ui.timer.Form_Unload(cancel);
    EXPECT_TRUE(std::filesystem::exists(DataFolder() / "MyTimer.ini"));
    EXPECT_FALSE(std::filesystem::exists(ProfileFile()));
}

}  // namespace
}  // namespace kelvora::test
