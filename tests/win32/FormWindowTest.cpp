// The window as a user meets it: where each control lies, its frame, its
// colours, its tooltips and its input method, and what closing it leaves.

#include <cwchar>
#include <map>
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

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

struct Placed {
    std::string client, command1, txtSS, txtMM;
    LONG fontHeight;
};

// The window at its start density, then after a move to a monitor of the
// other density, where it takes the rectangle the system suggests.
TEST_F(FormWindowTest, ControlsLieAtTheirPlacesAtEachDensity) {
    const std::map<UINT, Placed> expected{
        {96, {"0,0,98,27", "74,1,98,25", "48,4,71,25", "4,4,37,25", 19}},
        {144, {"0,0,147,41", "111,1,147,37", "72,6,107,38", "6,6,56,38", 29}}};
    Start();
    if (const char* dpi = std::getenv("KELVORA_EXPECTED_DPI")) {
        EXPECT_EQ(window_->Dpi(), static_cast<UINT>(std::atoi(dpi))) << "the screen's density";
    }
    const UINT other = window_->Dpi() == 96 ? 144 : 96;
    for (const UINT dpi : {window_->Dpi(), other}) {
        if (dpi == other) {
            const SIZE size = FormTimerWindow::OuterSize(other);
            RECT suggested{300, 200, 300 + size.cx, 200 + size.cy};
            ::SendMessageW(window_->Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
                           reinterpret_cast<LPARAM>(&suggested));
            RECT frame;
            ::GetWindowRect(window_->Handle(), &frame);
            EXPECT_EQ(Show(frame), Show(suggested));
        }
        const Placed& at = expected.at(dpi);
        if (dpi != other) {  // the frame's own metrics do not follow a simulated move
            RECT client;
            ::GetClientRect(window_->Handle(), &client);
            EXPECT_EQ(Show(client), at.client) << dpi;
        }
        EXPECT_EQ(Show(ClientRectOf(Control(FormControl::Command1))), at.command1) << dpi;
        EXPECT_EQ(Show(ClientRectOf(Control(FormControl::txtSS))), at.txtSS) << dpi;
        EXPECT_EQ(Show(ClientRectOf(Control(FormControl::txtMM))), at.txtMM) << dpi;
        LOGFONTW font{};
        ASSERT_NE(::GetObjectW(reinterpret_cast<HFONT>(
                                   ::SendMessageW(Control(FormControl::txtMM), WM_GETFONT, 0, 0)),
                               sizeof(font), &font),
                  0);
        EXPECT_EQ(-font.lfHeight, at.fontHeight) << dpi;
        EXPECT_EQ(font.lfWeight, FW_BOLD);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_STREQ(font.lfFaceName, L"ＭＳ ゴシック");
    }
}

// Two digits fill the seconds field and three the minutes field; neither may
// scroll a digit out of sight.
TEST_F(FormWindowTest, FieldsShowTheirDigitsWithoutScrolling) {
    Start();
    for (const auto& [control, text] : {std::pair{FormControl::txtSS, L"03"},
                                        {FormControl::txtMM, L"999"},
                                        {FormControl::txtMM, L"0"}}) {
        const HWND edit = Control(control);
        SetTextOf(edit, text);
        ::SetFocus(Control(FormControl::Command1));
        ::SetFocus(edit);  // selects the whole text, the caret after it
        Pump();
        RECT client;
        ::GetClientRect(edit, &client);
        const auto x = [&](size_t index) {
            return static_cast<short>(LOWORD(::SendMessageW(edit, EM_POSFROMCHAR, index, 0)));
        };
        EXPECT_GE(x(0), 0) << platform::WideToUtf8(text);
        EXPECT_LE(x(std::wcslen(text)), client.right) << platform::WideToUtf8(text);
    }
}

TEST_F(FormWindowTest, IsAFixedTopmostToolWindowWithACloseBoxOnlyAndTabOrder) {
    Start();
    const HWND window = window_->Handle();
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0) << "no taskbar button, a narrow caption";
    EXPECT_NE(exStyle & WS_EX_TOPMOST, 0) << "made topmost at load";
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU) << "the close box";
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(TextOf(window), L"  Kelvora");
    EXPECT_TRUE(::IsWindowVisible(window));

    EXPECT_EQ(::GetFocus(), Control(FormControl::txtMM)) << "the load gives the minutes the focus";
    for (const FormControl next : {FormControl::txtSS, FormControl::Command1, FormControl::txtMM}) {
        PressKey(VK_TAB);
        EXPECT_EQ(::GetFocus(), Control(next));
    }
}

TEST_F(FormWindowTest, FieldsHaveNoInputMethodAndShowTheirTooltips) {
    Start();
    const HWND tooltip = window_->TooltipHandle();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2) << "the fields, and nothing else";
    for (const auto& [control, tip] : {std::pair{FormControl::txtMM, core::messages::kMinutesTip},
                                       {FormControl::txtSS, core::messages::kSecondsTip}}) {
        EXPECT_EQ(::ImmGetContext(Control(control)), nullptr) << "input method composition is off";
        wchar_t text[80] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = window_->Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Control(control));
        tool.lpszText = text;
        ::SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(platform::WideToUtf8(text), tip);

        // A pointer resting on the field shows its tip.
        RECT rect;
        ::GetWindowRect(Control(control), &rect);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx =
            ::MulDiv((rect.left + rect.right) / 2, 65536, ::GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy =
            ::MulDiv((rect.top + rect.bottom) / 2, 65536, ::GetSystemMetrics(SM_CYSCREEN));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof(input));
        TTTOOLINFOW current{};
        current.cbSize = TTTOOLINFOW_V2_SIZE;
        EXPECT_TRUE(PumpUntil([&] {
            return ::IsWindowVisible(tooltip) &&
                   ::SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0,
                                  reinterpret_cast<LPARAM>(&current)) != 0 &&
                   current.uId == reinterpret_cast<UINT_PTR>(Control(control));
        })) << tip;
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
    EXPECT_EQ(placement.rcNormalPosition.left, 120);

    ::SendMessageW(window_->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window_->Handle(), nullptr);
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    const RECT& r = placement.rcNormalPosition;
    for (const auto& [key, value] : {std::pair{L"Left", r.left},
                                     {L"Right", r.right},
                                     {L"Top", r.top},
                                     {L"Bottom", r.bottom},
                                     {L"showCmd", 1L}}) {
        wchar_t stored[32] = {};
        ::GetPrivateProfileStringW(L"WinPos", key, L"missing", stored, 32,
                                   (DataFolder() / "Kelvora.ini").c_str());
        EXPECT_EQ(std::wstring(stored), std::to_wstring(value)) << platform::WideToUtf8(key);
    }
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
    EXPECT_EQ(Show(frame), Show({200, 150, 200 + size.cx, 150 + size.cy}));
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
