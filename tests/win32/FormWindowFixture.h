#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFolders.h"
#include "win32/FormTimerWindow.h"

namespace kelvora::win32::test {

struct ShownMessage {
    std::string text;
    int style;
    std::string title;
};

// Records the message boxes instead of waiting for a user to close them.
class RecordingMessageBox final : public core::MessageBox {
  public:
    void Show(const std::string& text, int style, const std::string& title) override {
        shown.push_back({text, style, title});
    }
    std::vector<ShownMessage> shown;
};

// The real window with its real controls and the real logic, started from an
// executable folder of its own as Kelvora.exe would be.
class FormWindowTest : public testing::Test {
  protected:
    FormWindowTest();
    ~FormWindowTest() override;

    // Creates the window and raises its load event, as the program starts.
    void Start();
    // Handles the window's messages until `done` holds or two seconds pass.
    bool PumpUntil(const std::function<bool()>& done);
    void Pump();
    // A key pressed and released on the keyboard, as the user would.
    void PressKey(WORD key);
    HWND Control(FormControl control) const { return window_->ControlHandle(control); }
    std::wstring TextOf(HWND control) const;
    void SetTextOf(HWND control, const std::wstring& text);
    // Selection start and end, in UTF-16 units.
    std::pair<int, int> SelectionOf(HWND control) const;
    RECT ClientRectOf(HWND control) const;

    std::filesystem::path AppFolder() const { return folder_.Path(); }
    std::filesystem::path DataFolder() const { return AppFolder() / "Data"; }

    TempFolder folder_;
    RecordingMessageBox messageBox_;
    bool programEnded_ = false;
    std::unique_ptr<FormTimerWindow> window_;
};

}  // namespace kelvora::win32::test
