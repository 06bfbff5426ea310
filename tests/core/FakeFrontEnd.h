#pragma once
// A front end made of recording fakes, driving the real FormTimer.

#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "core/Controls.h"
#include "core/FormTimer.h"

namespace kelvora::test {

class FakeFrontEnd;

class FakeTextBox : public core::TextBox {
public:
    FakeTextBox(FakeFrontEnd& owner, std::string text) : owner_(owner), text_(std::move(text)) {}
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void SetSelStart(int start) override { selStart = start; }
    void SetSelLength(int length) override { selLength = length; }
    void SetFocus() override;

    int selStart = -1;
    int selLength = -1;
    std::function<void()> gotFocus;

private:
    FakeFrontEnd& owner_;
    std::string text_;
};

class FakePictureButton : public core::PictureButton {
public:
    explicit FakePictureButton(FakeFrontEnd& owner) : owner_(owner) {}
    // Accepts a file that exists and starts like a GIF, as a real one would.
    void SetPictureFromFile(const std::string& path) override;
    void SetBuiltInPicture(core::ButtonFace face) override;
    void SetFocus() override;

    std::string picture = "builtin:go";

private:
    FakeFrontEnd& owner_;
};

class FakeTimer : public core::Timer {
public:
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }

private:
    bool enabled_ = true;  // enabled when created, as the window's timer is
};

struct ShownMessage {
    std::string text;
    int style;
    std::string title;
};

class FakeMessageBox : public core::MessageBox {
public:
    void Show(const std::string& text, int style, const std::string& title) override {
        shown.push_back({text, style, title});
    }
    std::vector<ShownMessage> shown;
};

class FakeEventPump : public core::EventPump {
public:
    void DoEvents() override {
        ++calls;
        if (pending) std::exchange(pending, nullptr)();
    }
    int calls = 0;
    std::function<void()> pending;  // runs once, at the next DoEvents
};

class FakeForm : public core::Form {
public:
    explicit FakeForm(FakeFrontEnd& owner) : owner_(owner) {}
    void SetCaption(const std::string& text) override { caption = text; }
    win32api::HWND hWnd() const override { return 0x1234; }
    void Unload() override;

    std::string caption = "  Kelvora";
    bool unloaded = false;

private:
    FakeFrontEnd& owner_;
};

class FakeFrontEnd {
public:
    FakeFrontEnd();

    void Load() { timer.Form_Load(); }
    void Click() { timer.Command1_Click(); }
    void Tick() { timer.Timer1_Timer(); }
    void Type(const std::string& minutes, const std::string& seconds) {
        txtMM.SetText(minutes);
        txtSS.SetText(seconds);
    }

    FakeForm form{*this};
    FakeTextBox txtMM{*this, "000"};
    FakeTextBox txtSS{*this, "00"};
    FakePictureButton Command1{*this};
    FakeTimer Timer1;
    FakeMessageBox messageBox;
    FakeEventPump events;
    core::FormTimer timer;

    // Who has the focus: "txtMM", "txtSS", "Command1" or empty.
    std::string focus;
};

}  // namespace kelvora::test
