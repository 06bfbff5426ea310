#pragma once
#include <QWidget>
#include <memory>

#include "core/Controls.h"
#include "core/FormTimer.h"
#include "platform/SystemClock.h"
#include "qt/CaretBlink.h"
#include "qt/ColonLabel.h"
#include "qt/MessageBoxes.h"
#include "qt/TimerControl.h"

namespace kelvora::qt {

class EntryField;
class PictureButton;

// The countdown window: builds the controls and forwards their events to the
// form's logic. It holds no behaviour of its own.
class FormTimerWindow final : public QWidget, public core::Form {
    Q_OBJECT

  public:
    FormTimerWindow();
    ~FormTimerWindow() override;

    // Raises the load event. The caller shows the window afterwards, unless
    // the program has ended meanwhile.
    void Load();
    bool Ended() const { return ended_; }
    int ExitCode() const { return exitCode_; }

    void SetCaption(const std::string& caption) override;
    win32api::HWND hWnd() const override { return handle_; }
    void Unload() override;

    EntryField& txtMM() { return *txtMM_; }
    EntryField& txtSS() { return *txtSS_; }
    PictureButton& Command1() { return *command1_; }
    const ColonLabel& Label1() const { return label1_; }
    TimerControl& Timer1() { return timer1_; }
    core::FormTimer& Logic() { return *logic_; }
    const CaretBlink& Caret() const { return caretBlink_; }

  signals:
    // The form has been unloaded (exit code 0) or an error has ended the
    // program (non-zero): the application should quit now.
    void programEnded(int exitCode);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    void ConnectEvents();
    void Raise(void (core::FormTimer::*handler)());
    void EndProgram(int exitCode);

    PictureButton* command1_ = nullptr;
    EntryField* txtSS_ = nullptr;
    EntryField* txtMM_ = nullptr;
    TimerControl timer1_;
    platform::SystemClock clock_;
    ColonLabel label1_;
    MessageBoxes messageBoxes_{this};
    EventPump events_;
    CaretBlink caretBlink_;
    std::unique_ptr<core::FormTimer> logic_;
    win32api::HWND handle_ = 0;
    bool unloaded_ = false;
    bool ended_ = false;
    int exitCode_ = 0;
};

}  // namespace kelvora::qt
