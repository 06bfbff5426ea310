#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/FormTimer.h"
#include "platform/SystemClock.h"
#include "win32/Accessibility.h"
#include "win32/EditBox.h"
#include "win32/Handles.h"
#include "win32/Layout.h"
#include "win32/MessageLoop.h"
#include "win32/PictureButtonControl.h"
#include "win32/SystemDialogs.h"
#include "win32/TimerControl.h"
#include "win32/Tooltips.h"
#include "win32/WindowBase.h"

namespace kelvora::win32 {

enum class FormControl { Command1, txtSS, txtMM };

// The countdown window: a fixed-size tool window with the minutes field, the
// colon label, the seconds field and the picture button. It only creates the
// controls and forwards their events to the form's logic.
class FormTimerWindow final : public WindowBase, public core::Form, public MessageFilter {
  public:
    static constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    static constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
    static constexpr COLORREF kFieldBackground = RGB(0, 0, 64);
    static constexpr COLORREF kFieldText = RGB(255, 255, 255);

    // `endProgram` ends the process once an error that left an event has been
    // reported in `messageBox`. `annotations` makes the service that tells
    // screen readers what the fields are.
    FormTimerWindow(core::MessageBox& messageBox, std::function<void()> endProgram,
                    AnnotationsFactory annotations = SystemAnnotations);

    // Creates the window and its controls, hidden.
    void Create();
    // Raises the load event, then shows the window if the load has not.
    void LoadAndShow();

    core::FormTimer& Logic() { return *logic_; }
    HWND ControlHandle(FormControl control) const;
    const PictureButtonControl& Command1() const { return command1_; }
    HWND TooltipHandle() const { return tooltips_.Handle(); }
    UINT Dpi() const { return dpi_; }
    // The window's outer size at `dpi`: the client area of the design plus
    // the frame and caption of a tool window, as the system's metrics give it.
    static SIZE OuterSize(UINT dpi);
    // The outer size the window keeps: the design's client area plus the frame
    // the window was last measured to have.
    SIZE WindowSize() const;

    void SetCaption(const std::string& caption) override;
    win32api::HWND hWnd() const override;
    void Unload() override;

    bool PreTranslate(MSG& message) override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUncaughtException() override;

    void CreateControls();
    void ApplyLayout();
    // `refresh`: the system metrics, or the density of a hidden window, may
    // have changed since the frame was last computed.
    void FitFrame(bool refresh);
    // Lays the form out again when the window's monitor has another density
    // than the layout's, and in any case for a window just created.
    void FollowMonitorDpi(bool justCreated);
    void Raise(const std::function<void()>& handler);
    void Raise(void (core::FormTimer::*handler)());

    void OnCommand(WORD id, WORD code);
    void OnFieldFocus(HWND field);
    void OnMouseFocusDone();
    void RaiseGotFocus(HWND field);
    LRESULT OnCtlColorEdit(HDC dc);
    void OnPaint();
    void OnTimer(UINT_PTR id);
    bool OnActivate(WORD state);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnWindowPosChanging(WINDOWPOS& position) const;

    core::MessageBox& messageBox_;
    std::function<void()> endProgram_;
    EditBox txtMM_;
    EditBox txtSS_;
    PictureButtonControl command1_;
    TimerControl timer1_;
    platform::SystemClock clock_;
    MessagePump events_{*this};
    Tooltips tooltips_;
    std::unique_ptr<core::FormTimer> logic_;
    FieldAnnotations fieldAnnotations_;

    UINT dpi_ = 96;
    FormLayout layout_{};
    SIZE frame_{};
    FontHandle fieldFont_;
    FontHandle labelFont_;
    BrushHandle fieldBrush_;
    HWND focusWhenDeactivated_ = nullptr;
    bool restoringFocus_ = false;
    // A field that took the focus from a click whose button is still down.
    HWND mouseFocus_ = nullptr;
    bool unloading_ = false;
};

}  // namespace kelvora::win32
