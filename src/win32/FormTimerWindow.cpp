#include "win32/FormTimerWindow.h"

#include <cstdint>
#include <utility>

#include "core/ColonColour.h"
#include "core/Messages.h"
#include "core/UncaughtError.h"
#include "platform/windows/Utf16.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/ResourceIds.h"
// The input method routines.
#include <imm.h>

namespace kelvora::win32 {

namespace {

constexpr int kCommand1Id = 101;
constexpr int kTxtSSId = 102;
constexpr int kTxtMMId = 103;

// Posted once a click that gave a field the focus has been handled.
constexpr UINT kMouseFocusDone = WM_APP + 1;

bool MouseButtonDown() {
    for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) {
        if ((::GetKeyState(button) & 0x8000) != 0) return true;
    }
    return false;
}

bool IsMouseButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

COLORREF ColonColour() {
    const COLORREF caption = ::GetSysColor(COLOR_CAPTIONTEXT);
    const core::Rgb colour =
        core::ColonColour(core::Rgb{GetRValue(caption), GetGValue(caption), GetBValue(caption)});
    return RGB(colour.red, colour.green, colour.blue);
}

HWND CreateChild(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                 const RECT& rect) {
    return ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left,
                             rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

// Each move is a round trip to the window system, and at start-up every
// control is already where it belongs.
void Place(HWND control, const RECT& rect) {
    RECT now;
    ::GetWindowRect(control, &now);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&now), 2);
    if (::EqualRect(&now, &rect)) return;
    ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT ToPoint(SIZE size) { return POINT{size.cx, size.cy}; }

HICON LoadProgramIcon(int size) {
    // Shared: the system keeps the icon as long as the executable is loaded.
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDI_KELVORA), IMAGE_ICON, size, size,
                                           LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace

FormTimerWindow::FormTimerWindow(core::MessageBox& messageBox, std::function<void()> endProgram,
                                 AnnotationsFactory annotations)
    : messageBox_(messageBox),
      endProgram_(std::move(endProgram)),
      logic_(std::make_unique<core::FormTimer>(core::FormControls{
          *this, txtMM_, txtSS_, command1_, timer1_, messageBox_, events_, clock_})),
      fieldAnnotations_(std::move(annotations)) {}

SIZE FormTimerWindow::OuterSize(UINT dpi) {
    return WindowSizeForClient(LayoutAt(dpi).client, kStyle, kExStyle, dpi);
}

void FormTimerWindow::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KelvoraFormTimer";
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.hIcon = LoadProgramIcon(::GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = LoadProgramIcon(::GetSystemMetrics(SM_CXSMICON));

    dpi_ = DpiForSystem();
    layout_ = LayoutAt(dpi_);
    const SIZE size = OuterSize(dpi_);
    frame_ = SIZE{size.cx - layout_.client.cx, size.cy - layout_.client.cy};
    const std::wstring caption = platform::Utf8ToWide(core::messages::kCaption);
    CreateFor(windowClass, kExStyle, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
              size.cy, nullptr);
    if (Handle() == nullptr) return;

    CreateControls();
    // The system chose the monitor, whose density may not be the system's.
    FollowMonitorDpi(true);
}

SIZE FormTimerWindow::WindowSize() const {
    return SIZE{layout_.client.cx + frame_.cx, layout_.client.cy + frame_.cy};
}

void FormTimerWindow::FollowMonitorDpi(bool justCreated) {
    const UINT dpi = DpiForWindow(Handle());
    if (dpi == dpi_ && !justCreated) return;
    dpi_ = dpi;
    ApplyLayout();
    // A window just created has the frame of its density; one moved while
    // hidden is not told of the new density and keeps the old frame.
    FitFrame(!justCreated);
}

// The outer size is the client area of the design plus the frame as the
// window has it now: a theme, high contrast or another caption size changes
// the frame, and the client area must not change with it.
void FormTimerWindow::FitFrame(bool refresh) {
    const HWND window = Handle();
    if (::IsIconic(window) || ::IsZoomed(window)) return;
    // The frame as the current metrics make it, before it is measured.
    if (refresh) {
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT outer;
    RECT client;
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    frame_ =
        SIZE{(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
    const SIZE size = WindowSize();
    if (outer.right - outer.left == size.cx && outer.bottom - outer.top == size.cy) return;
    ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormTimerWindow::CreateControls() {
    // Tab follows the order in which the children are made: txtMM, txtSS,
    // Command1. Timer1 has no window, and Label1 is drawn by the form itself.
    txtMM_.Attach(CreateChild(Handle(), L"EDIT", L"000", WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL,
                              kTxtMMId, layout_.txtMM));
    txtSS_.Attach(CreateChild(Handle(), L"EDIT", L"00", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                              kTxtSSId, layout_.txtSS));
    command1_.Attach(CreateChild(Handle(), L"BUTTON", L"", WS_TABSTOP | BS_OWNERDRAW, kCommand1Id,
                                 layout_.command1));
    timer1_.Attach(Handle());

    // No input context anywhere in the window: keys arrive as typed, and
    // composition cannot be switched on, whether a field or the button has
    // the focus. With the input method on, a stray key would otherwise open
    // a composition on the button, which then takes the Enter or Escape meant
    // to stop the countdown. The children lose theirs, the form its own.
    ::ImmAssociateContextEx(Handle(), nullptr, IACE_CHILDREN);
    ::ImmAssociateContextEx(Handle(), nullptr, 0);
    fieldBrush_.reset(::CreateSolidBrush(kFieldBackground));
    command1_.SetBuiltInPicture(core::ButtonFace::Go);
    fieldAnnotations_.Attach(txtMM_.Handle(), txtSS_.Handle());
    for (EditBox* field : {&txtMM_, &txtSS_}) {
        field->OnAccessibleObjectRequest([this] { fieldAnnotations_.Give(); });
    }
}

void FormTimerWindow::ApplyLayout() {
    layout_ = LayoutAt(dpi_);
    const GothicFace face = ChooseGothicFace(layout_.fieldFontHeight);
    FontHandle fieldFont = CreateGothicFont(face, layout_.fieldFontHeight);
    FontHandle labelFont = CreateGothicFont(face, layout_.labelFontHeight);

    Place(command1_.Handle(), layout_.command1);
    // The fields have neither border nor margins: 21 pixels leave the
    // 19-pixel digits no room for a border, and a 23-pixel field holds two
    // digits only with no margin beside them.
    for (const auto& [field, rect] :
         {std::pair{txtMM_.Handle(), layout_.txtMM}, std::pair{txtSS_.Handle(), layout_.txtSS}}) {
        Place(field, rect);
        ::SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont.get()), TRUE);
        ::SendMessageW(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
    // The fields use the new font before the old one goes.
    fieldFont_ = std::move(fieldFont);
    labelFont_ = std::move(labelFont);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void FormTimerWindow::LoadAndShow() {
    Raise(&core::FormTimer::Form_Load);
    // The saved placement may have moved the hidden window to a monitor of
    // another density, and a hidden window is not told.
    if (Handle() != nullptr) FollowMonitorDpi(false);
    // The tooltips are attached after the load: their control, made at the
    // first mouse move, is a top-level window the form owns, and Wine does
    // not make a window topmost while it owns another.
    tooltips_.Attach(Handle());
    tooltips_.Add(txtMM_.Handle(), core::messages::kMinutesTip);
    tooltips_.Add(txtSS_.Handle(), core::messages::kSecondsTip);
    // The saved placement shows the window; one that is still hidden (a failed
    // load) is shown now. A shortcut set to run minimized or maximized has
    // Windows put its state in place of the program's first show: the window
    // takes no other state than normal.
    const HWND window = Handle();
    if (window == nullptr) return;
    if (!::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOWNORMAL);
    if (::IsIconic(window) || ::IsZoomed(window)) {
        // The activation that comes with the restore keeps the focus the load gave.
        const HWND focus = ::GetFocus();
        ::ShowWindow(window, SW_RESTORE);
        if (focus != nullptr && ::IsChild(window, focus) && ::GetFocus() != focus)
            ::SetFocus(focus);
    }
}

HWND FormTimerWindow::ControlHandle(FormControl control) const {
    switch (control) {
        case FormControl::Command1:
            return command1_.Handle();
        case FormControl::txtSS:
            return txtSS_.Handle();
        case FormControl::txtMM:
            return txtMM_.Handle();
    }
    return nullptr;
}

void FormTimerWindow::SetCaption(const std::string& caption) {
    ::SetWindowTextW(Handle(), platform::Utf8ToWide(caption).c_str());
}

win32api::HWND FormTimerWindow::hWnd() const { return reinterpret_cast<win32api::HWND>(Handle()); }

void FormTimerWindow::Unload() {
    if (unloading_ || Handle() == nullptr) return;
    unloading_ = true;
    // The placement is saved while the window still has one.
    Raise([this] {
        std::int16_t cancel = 0;
        logic_->Form_Unload(cancel);
    });
    ::DestroyWindow(Handle());
}

bool FormTimerWindow::PreTranslate(MSG& message) {
    // Wherever the click ends, its button comes up.
    if (mouseFocus_ != nullptr && IsMouseButtonUp(message.message)) {
        ::PostMessageW(Handle(), kMouseFocusDone, 0, 0);
    }
    const HWND window = Handle();
    if (window == nullptr || (message.hwnd != window && !::IsChild(window, message.hwnd))) {
        return false;
    }
    tooltips_.Relay(message);
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
        // Command1 is the default button (Enter) and the cancel button
        // (Escape): either key clicks it wherever the focus is, and the focus
        // stays where it is.
        Raise(&core::FormTimer::Command1_Click);
        return true;
    }
    // Tab and Shift+Tab, and Space on the button.
    return ::IsDialogMessageW(window, &message) != 0;
}

void FormTimerWindow::Raise(const std::function<void()>& handler) {
    core::RaiseEvent(handler, messageBox_, endProgram_);
}

void FormTimerWindow::Raise(void (core::FormTimer::*handler)()) {
    Raise([this, handler] { (logic_.get()->*handler)(); });
}

void FormTimerWindow::OnUncaughtException() {
    // Reported like an error that leaves an event: rethrown inside the handler.
    Raise([] { throw; });
}

LRESULT FormTimerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
            return OnCtlColorEdit(reinterpret_cast<HDC>(wParam));
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_DRAWITEM:
            command1_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), dpi_);
            return TRUE;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_ACTIVATE:
            if (OnActivate(LOWORD(wParam))) return 0;
            break;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Logoff or shutdown: the process ends after this message, so the
            // form unloads now, as at its close box.
            if (wParam != FALSE) Unload();
            return 0;
        case kMouseFocusDone:
            OnMouseFocusDone();
            return 0;
        case WM_DESTROY:
            ::KillTimer(Handle(), TimerControl::kId);
            fieldAnnotations_.Withdraw();
            // The form was the program's only window.
            ::PostQuitMessage(0);
            return 0;
        case WM_GETOBJECT:
            fieldAnnotations_.Give();
            break;
        case WM_SYSCOLORCHANGE:
            ::InvalidateRect(Handle(), nullptr, TRUE);
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETNONCLIENTMETRICS) FitFrame(true);
            if (wParam == SPI_SETSCREENREADER) fieldAnnotations_.GiveIfScreenReaderRuns();
            break;
        case WM_THEMECHANGED:
            FitFrame(true);
            break;
        case WM_GETMINMAXINFO:
            // Windows keeps a window with a caption at least as wide as its
            // caption buttons need; this one is smaller by design.
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = ToPoint(WindowSize());
            return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
            break;
        case WM_GETDPISCALEDSIZE:
            *reinterpret_cast<SIZE*>(lParam) = OuterSize(static_cast<UINT>(wParam));
            return TRUE;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            break;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

void FormTimerWindow::OnCommand(WORD id, WORD code) {
    switch (id) {
        case kCommand1Id:
            // Owner-drawn buttons report a second click in quick succession as
            // a double click; it is a click all the same.
            if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
                Raise(&core::FormTimer::Command1_Click);
            }
            break;
        case kTxtMMId:
        case kTxtSSId: {
            const HWND field = id == kTxtMMId ? txtMM_.Handle() : txtSS_.Handle();
            if (code == EN_SETFOCUS) OnFieldFocus(field);
            if (code == EN_KILLFOCUS) mouseFocus_ = nullptr;
            break;
        }
        default:
            break;
    }
}

void FormTimerWindow::RaiseGotFocus(HWND field) {
    Raise(field == txtMM_.Handle() ? &core::FormTimer::txtMM_GotFocus
                                   : &core::FormTimer::txtSS_GotFocus);
}

// A focus that a returning activation restores is not a new one: the field
// keeps its caret and selection, so typing goes on where it stopped. A click
// places the caret after the focus has arrived, which would clear a selection
// made now; the field selects once the button is up.
void FormTimerWindow::OnFieldFocus(HWND field) {
    if (restoringFocus_) return;
    if (MouseButtonDown()) {
        mouseFocus_ = field;
        return;
    }
    RaiseGotFocus(field);
}

void FormTimerWindow::OnMouseFocusDone() {
    const HWND field = std::exchange(mouseFocus_, nullptr);
    if (field != nullptr && ::GetFocus() == field) RaiseGotFocus(field);
}

LRESULT FormTimerWindow::OnCtlColorEdit(HDC dc) {
    ::SetTextColor(dc, kFieldText);
    ::SetBkColor(dc, kFieldBackground);
    return reinterpret_cast<LRESULT>(fieldBrush_.get());
}

// Label1 has no window: the form paints it, an opaque dark blue strip with a
// centred colon; the fields overlap its ends.
void FormTimerWindow::OnPaint() {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(Handle(), &paint);
    RECT label = layout_.label1;
    ::FillRect(dc, &label, fieldBrush_.get());
    {
        const SelectGuard font(dc, labelFont_.get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColonColour());
        ::DrawTextW(dc, L":", 1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    ::EndPaint(Handle(), &paint);
}

void FormTimerWindow::OnTimer(UINT_PTR id) {
    // A tick posted just before the timer was disabled is not one.
    if (id == TimerControl::kId && timer1_.Enabled()) Raise(&core::FormTimer::Timer1_Timer);
}

// The focus returns to the control that had it when the window was last
// active, as in a dialog; the window itself would take it otherwise.
bool FormTimerWindow::OnActivate(WORD state) {
    if (state == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(Handle(), focus)) focusWhenDeactivated_ = focus;
        return false;
    }
    if (focusWhenDeactivated_ == nullptr || ::IsIconic(Handle())) return false;
    restoringFocus_ = true;
    ::SetFocus(focusWhenDeactivated_);
    restoringFocus_ = false;
    return true;
}

void FormTimerWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    ApplyLayout();
    // The suggested size has the frame of the new density; FitFrame then
    // measures the frame the window really has there.
    const SIZE size = OuterSize(dpi);
    frame_ = SIZE{size.cx - layout_.client.cx, size.cy - layout_.client.cy};
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    FitFrame(true);
}

// The size is fixed: a placement read from the profile file, or saved at
// another density, moves the window but does not resize it. Minimized and
// maximized states keep the size the system gives them.
void FormTimerWindow::OnWindowPosChanging(WINDOWPOS& position) const {
    if ((position.flags & SWP_NOSIZE) != 0 || ::IsIconic(Handle()) || ::IsZoomed(Handle())) {
        return;
    }
    const SIZE size = WindowSize();
    position.cx = size.cx;
    position.cy = size.cy;
}

}  // namespace kelvora::win32
