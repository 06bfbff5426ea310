// The window as a user meets it: where each control lies, its frame, its
// colours, its tooltips and its input method, and what closing it leaves.

#include <cstdlib>
#include <cwchar>
#include <string>

#include "FormWindowFixture.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"
#include "platform/windows/Utf16.h"
#include "win32/Layout.h"
// Tooltips and input contexts.
#include <commctrl.h>
#include <imm.h>

namespace kelvora::win32::test {
namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

TEST_F(FormWindowTest, ControlsLieWhereTheLayoutPutsThemAtTheWindowsDensity) {
    Start();
    const UINT dpi = window_->Dpi();
    if (const char* expected = std::getenv("KELVORA_EXPECTED_DPI")) {
        EXPECT_EQ(dpi, static_cast<UINT>(std::atoi(expected)))
            << "the window follows the density of its screen";
    }
    const FormLayout layout = LayoutAt(dpi);
    RECT client;
    ::GetClientRect(window_->Handle(), &client);
    EXPECT_EQ(client.right, layout.client.cx);
    EXPECT_EQ(client.bottom, layout.client.cy);
    EXPECT_PRED2(SameRect, ClientRectOf(Control(FormControl::Command1)), layout.command1)
        << Show(ClientRectOf(Control(FormControl::Command1)));
    EXPECT_PRED2(SameRect, ClientRectOf(Control(FormControl::txtSS)), layout.txtSS);
    EXPECT_PRED2(SameRect, ClientRectOf(Control(FormControl::txtMM)), layout.txtMM);

    // The fields' font is the design's point size at this density.
    const auto font =
        reinterpret_cast<HFONT>(::SendMessageW(Control(FormControl::txtMM), WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    ASSERT_NE(::GetObjectW(font, sizeof(logFont), &logFont), 0);
    EXPECT_EQ(-logFont.lfHeight, layout.fieldFontHeight);
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);
    EXPECT_EQ(logFont.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_STREQ(logFont.lfFaceName, L"ＭＳ ゴシック");
}

// What a move to a monitor of another density does: the window takes the
// rectangle the system suggests and lays itself out again at that density.
TEST_F(FormWindowTest, FollowsTheDensityOfAnotherMonitor) {
    Start();
    const UINT other = window_->Dpi() == 96 ? 144 : 96;
    const SIZE size = FormTimerWindow::OuterSize(other);
    RECT suggested{300, 200, 300 + size.cx, 200 + size.cy};
    ::SendMessageW(window_->Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
                   reinterpret_cast<LPARAM>(&suggested));

    const FormLayout layout = LayoutAt(other);
    RECT frame;
    ::GetWindowRect(window_->Handle(), &frame);
    EXPECT_PRED2(SameRect, frame, suggested) << Show(frame);
    EXPECT_PRED2(SameRect, ClientRectOf(Control(FormControl::Command1)), layout.command1);
    EXPECT_PRED2(SameRect, ClientRectOf(Control(FormControl::txtSS)), layout.txtSS);
    EXPECT_PRED2(SameRect, ClientRectOf(Control(FormControl::txtMM)), layout.txtMM);
    LOGFONTW font{};
    ::GetObjectW(
        reinterpret_cast<HFONT>(::SendMessageW(Control(FormControl::txtSS), WM_GETFONT, 0, 0)),
        sizeof(font), &font);
    EXPECT_EQ(-font.lfHeight, layout.fieldFontHeight);
}

// Two digits fill the seconds field and three the minutes field; neither may
// scroll a digit out of sight.
TEST_F(FormWindowTest, FieldsShowTheirDigitsWithoutScrolling) {
    Start();
    struct Field {
        FormControl control;
        const wchar_t* text;
    };
    for (const Field field : {Field{FormControl::txtSS, L"03"}, Field{FormControl::txtMM, L"999"},
                              Field{FormControl::txtMM, L"0"}}) {
        const HWND edit = Control(field.control);
        SetTextOf(edit, field.text);
        ::SetFocus(Control(FormControl::Command1));
        ::SetFocus(edit);  // selects the whole text, the caret after it
        Pump();
        RECT client;
        ::GetClientRect(edit, &client);
        const auto x = [&](int index) {
            return static_cast<short>(LOWORD(::SendMessageW(edit, EM_POSFROMCHAR, index, 0)));
        };
        const int length = static_cast<int>(std::wcslen(field.text));
        EXPECT_GE(x(0), 0) << platform::WideToUtf8(field.text);
        EXPECT_LE(x(length), client.right) << platform::WideToUtf8(field.text);
    }
}

TEST_F(FormWindowTest, IsAFixedToolWindowWithACloseBoxOnly) {
    Start();
    const HWND window = window_->Handle();
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0) << "no taskbar button, a narrow caption";
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_NE(style & WS_SYSMENU, 0) << "the close box";
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(TextOf(window), L"  Kelvora");
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_NE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "made topmost at load";
}

TEST_F(FormWindowTest, TabGoesFromMinutesToSecondsToTheButton) {
    Start();
    const HWND window = window_->Handle();
    const HWND mm = Control(FormControl::txtMM);
    const HWND ss = Control(FormControl::txtSS);
    const HWND button = Control(FormControl::Command1);
    EXPECT_EQ(::GetFocus(), mm) << "the load gives the minutes the focus";
    EXPECT_EQ(::GetNextDlgTabItem(window, mm, FALSE), ss);
    EXPECT_EQ(::GetNextDlgTabItem(window, ss, FALSE), button);
    EXPECT_EQ(::GetNextDlgTabItem(window, button, FALSE), mm);
    EXPECT_EQ(::GetNextDlgTabItem(window, mm, TRUE), button);

    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), ss);
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), button);
}

TEST_F(FormWindowTest, FieldsHaveNoInputMethodAndTheirTooltips) {
    Start();
    const HWND tooltip = window_->TooltipHandle();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2) << "the fields, and nothing else";

    struct Field {
        FormControl control;
        const char* tip;
    };
    for (const Field field : {Field{FormControl::txtMM, core::messages::kMinutesTip},
                              Field{FormControl::txtSS, core::messages::kSecondsTip}}) {
        const HWND edit = Control(field.control);
        EXPECT_EQ(::ImmGetContext(edit), nullptr) << "input method composition is off";

        wchar_t text[80] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = window_->Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(edit);
        tool.lpszText = text;
        ::SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(platform::WideToUtf8(text), field.tip);
    }
}

TEST_F(FormWindowTest, ShowsADarkBlueStripWithTheButtonOnBlack) {
    Start();
    SetTextOf(Control(FormControl::txtSS), L"");
    ::RedrawWindow(window_->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    const FormLayout layout = LayoutAt(window_->Dpi());
    const HDC dc = ::GetDC(window_->Handle());
    const auto pixel = [&](int x, int y) { return ::GetPixel(dc, x, y); };
    const COLORREF darkBlue = RGB(0, 0, 64);

    EXPECT_EQ(pixel(1, 1), RGB(0, 0, 0)) << "the form's background";
    // Label1's strip between the fields, above and below its colon.
    EXPECT_EQ(pixel(layout.label1.left + 2, layout.label1.top + 1), darkBlue);
    EXPECT_EQ(pixel(layout.label1.right - 3, layout.label1.bottom - 1), darkBlue);
    // An empty seconds field shows its background.
    EXPECT_EQ(pixel((layout.txtSS.left + layout.txtSS.right) / 2, layout.txtSS.top + 2), darkBlue);
    // The built-in start picture: a light triangle on blue, not the face.
    const COLORREF centre = pixel((layout.command1.left + layout.command1.right) / 2,
                                  (layout.command1.top + layout.command1.bottom) / 2);
    EXPECT_NE(centre, RGB(0, 0, 0));
    EXPECT_NE(centre, CLR_INVALID);
    ::ReleaseDC(window_->Handle(), dc);
}

TEST_F(FormWindowTest, ClosingSavesThePlacementAndEndsTheProgram) {
    Start();
    ::SetWindowPos(window_->Handle(), nullptr, 120, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window_->Handle(), &placement);

    ::SendMessageW(window_->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window_->Handle(), nullptr);
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    const std::string expected = "Left=" + std::to_string(placement.rcNormalPosition.left) +
                                 "|Right=" + std::to_string(placement.rcNormalPosition.right) +
                                 "|Top=" + std::to_string(placement.rcNormalPosition.top) +
                                 "|Bottom=" + std::to_string(placement.rcNormalPosition.bottom) +
                                 "|showCmd=1";
    std::string stored;
    for (const wchar_t* key : {L"Left", L"Right", L"Top", L"Bottom", L"showCmd"}) {
        wchar_t value[32] = {};
        ::GetPrivateProfileStringW(L"WinPos", key, L"missing", value, 32,
                                   (DataFolder() / "Kelvora.ini").c_str());
        if (!stored.empty()) stored += '|';
        stored += platform::WideToUtf8(key) + "=" + platform::WideToUtf8(value);
    }
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(placement.rcNormalPosition.left, 120);
}

TEST_F(FormWindowTest, OpensWhereItWasClosedAtItsOwnSize) {
    std::filesystem::create_directories(DataFolder());
    // A rectangle edited by hand to another size: the window moves there but
    // keeps its size.
    WriteBytes(DataFolder() / "Kelvora.ini",
               "[WinPos]\r\nLeft=200\r\nRight=900\r\nTop=150\r\nBottom=700\r\nshowCmd=1\r\n");
    Start();
    RECT frame;
    ::GetWindowRect(window_->Handle(), &frame);
    const SIZE size = FormTimerWindow::OuterSize(window_->Dpi());
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 150);
    EXPECT_EQ(frame.right - frame.left, size.cx);
    EXPECT_EQ(frame.bottom - frame.top, size.cy);
    EXPECT_TRUE(messageBox_.shown.empty());
}

TEST_F(FormWindowTest, ErrorLeavingAnEventIsReportedAndEndsTheProgram) {
    Start();
    SetTextOf(Control(FormControl::txtMM), L"0");
    SetTextOf(Control(FormControl::txtSS), L"5");
    window_->Logic().Command1_Click();
    ASSERT_NE(window_->Logic().Running, 0);
    window_->Logic().ElapsedSeconds = 2147483647;  // the next tick overflows

    ::SendMessageW(window_->Handle(), WM_TIMER, 1, 0);
    ASSERT_EQ(messageBox_.shown.size(), 1u);
    EXPECT_EQ(messageBox_.shown[0].style, 16);
    EXPECT_NE(messageBox_.shown[0].text.find(core::ErrorDescription(core::kOverflow)),
              std::string::npos);
    EXPECT_TRUE(programEnded_);
}

}  // namespace
}  // namespace kelvora::win32::test
