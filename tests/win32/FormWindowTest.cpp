// What only the Windows front end does: the layout at each density and after
// the frame's metrics change, the colours it paints, the focus and selection
// as Windows' own controls and messages move them, and an open dialog's keys.
// What a user sees of the whole program is in end-to-end.sh.

#include <map>

#include "FormWindowFixture.h"
#include "win32/Layout.h"
// Tooltips.
#include <commctrl.h>

namespace kelvora::win32::test {
namespace {

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// Laid out for the other density, as after a move to a monitor of it, then
// for its own once the load finds it still on its first monitor. Client area,
// Command1, txtSS, txtMM, field font height.
TEST_F(FormWindowTest, LaysOutAtEachDensityAndFollowsItsMonitorAfterTheLoad) {
    const std::map<UINT, std::string> expected{
        {96, "0,0,98,27 74,1,98,25 48,4,71,25 4,4,37,25 19"},
        {144, "0,0,147,41 111,1,147,37 72,6,107,38 6,6,56,38 29"}};
    window_->Create();
    const UINT own = window_->Dpi();
    EXPECT_EQ(own, std::stoul(std::getenv("KELVORA_EXPECTED_DPI")));
    const UINT other = own == 96 ? 144 : 96;
    RECT suggested{300, 200, 400, 300};
    ::SendMessageW(window_->Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
                   reinterpret_cast<LPARAM>(&suggested));
    for (const UINT dpi : {other, own}) {
        if (dpi == own) window_->LoadAndShow();
        RECT rect;
        ::GetClientRect(window_->Handle(), &rect);
        std::string placed = Show(rect);
        for (const auto control : {FormControl::Command1, FormControl::txtSS, FormControl::txtMM}) {
            ::GetWindowRect(Control(control), &rect);
            ::MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&rect), 2);
            placed.append(" ").append(Show(rect));
        }
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(
                         ::SendMessageW(Control(FormControl::txtMM), WM_GETFONT, 0, 0)),
                     sizeof(font), &font);
        EXPECT_EQ(placed.append(" ").append(std::to_string(-font.lfHeight)), expected.at(dpi));
        EXPECT_STREQ(font.lfFaceName, L"ＭＳ ゴシック");
    }
}

// A larger caption (a theme, high contrast) changes the frame, not the client
// area. The colon has the caption text colour unless that vanishes into the
// strip, as black does on Windows 10 and 11 (the 144-dpi run).
TEST_F(FormWindowTest, KeepsItsClientAreaAndPaintsTheStripAndAColonThatReads) {
    Start();
    const HWND form = window_->Handle();
    const FormLayout layout = LayoutAt(window_->Dpi());
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    NONCLIENTMETRICSW larger = metrics;
    larger.iSmCaptionHeight += 12;
    // Windows then draws the frame anew and tells the window.
    ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(larger), &larger, 0);
    ::SetWindowPos(form, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
    ::SendMessageW(form, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    RECT client;
    ::GetClientRect(form, &client);
    ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    EXPECT_EQ(Show(client), Show({0, 0, layout.client.cx, layout.client.cy}));

    ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const HDC dc = ::GetDC(form);
    const RECT& label = layout.label1;
    EXPECT_EQ(::GetPixel(dc, 1, 1), RGB(0, 0, 0)) << "the form's background";
    EXPECT_EQ(::GetPixel(dc, label.left + 2, label.top + 1), RGB(0, 0, 64)) << "the strip";
    const int middle = (layout.command1.left + layout.command1.right) / 2;
    EXPECT_NE(::GetPixel(dc, middle, middle), RGB(0, 0, 0)) << "the start picture";
    COLORREF colon = 0;
    for (int x = label.left + 2; x < label.right - 2; ++x) {
        for (int y = label.top; y < label.bottom; ++y) {
            const COLORREF c = ::GetPixel(dc, x, y);
            if (GetRValue(c) + GetGValue(c) > GetRValue(colon) + GetGValue(colon)) colon = c;
        }
    }
    ::ReleaseDC(form, dc);
    const COLORREF caption = ::GetSysColor(COLOR_CAPTIONTEXT);
    EXPECT_EQ(colon, caption == RGB(0, 0, 0) ? RGB(255, 255, 255) : caption);
}

// A field selects its whole text when the focus comes to it, by the load, Tab
// or a click, but not when the window's return to the front gives it back:
// typing goes on where it stopped.
TEST_F(FormWindowTest, AFieldSelectsItsWholeTextWhenTheFocusComesToIt) {
    Start();
    const HWND mm = Control(FormControl::txtMM);
    const HWND ss = Control(FormControl::txtSS);
    EXPECT_EQ(SelectionOf(mm), std::make_pair(0, 2)) << "focused by the load";
    Input(VK_TAB);
    EXPECT_EQ(SelectionOf(ss), std::make_pair(0, 2)) << "focused by Tab";
    Input('1');
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9,
                                         nullptr, nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    Pump();
    ::SetActiveWindow(window_->Handle());
    Input('5');
    ::DestroyWindow(other);
    wchar_t text[8] = {};
    ::GetWindowTextW(ss, text, 8);
    EXPECT_STREQ(text, L"15") << "the returning focus did not select";

    // Windows' edit control places the caret at the click after the focus has
    // come; Wine's before. A pointer resting on a field shows its tip.
    RECT field;
    ::GetWindowRect(mm, &field);
    Input(0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, field);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    EXPECT_TRUE(Pump([&] {
        return ::SendMessageW(window_->TooltipHandle(), TTM_GETCURRENTTOOLW, 0,
                              reinterpret_cast<LPARAM>(&tool)) &&
               tool.uId == reinterpret_cast<UINT_PTR>(mm);
    }));
    Input(0, MOUSEEVENTF_LEFTDOWN);
    ::SendMessageW(mm, EM_SETSEL, 1, 1);
    Input(0, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(SelectionOf(mm), std::make_pair(0, 2)) << "selected once the click was done";

    // The logic counts characters, the edit control UTF-16 units.
    ::SetWindowTextW(mm, L"1\U0001F600"
                         L"2");
    ::SetFocus(ss);
    ::SetFocus(mm);
    EXPECT_EQ(SelectionOf(mm), std::make_pair(0, 4));
    EXPECT_EQ(messageBox_.shown, "");
}

// A tick lets pending events run while a message box may be open: Enter and
// Escape typed into the box are its OK and Cancel, not lost keystrokes.
TEST_F(FormWindowTest, KeysOfAnOpenDialogKeepTheirMeaningWhilePendingEventsRun) {
    Start();
    static std::string commands;
    const HWND dialog = ::CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 99, 99,
                                          window_->Handle(), nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(dialog, DWLP_DLGPROC,
                        reinterpret_cast<LONG_PTR>(+[](HWND, UINT message, WPARAM w, LPARAM) {
                            if (message == WM_COMMAND) commands += std::to_string(LOWORD(w));
                            return INT_PTR{FALSE};
                        }));
    const HWND ok = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | BS_DEFPUSHBUTTON, 0, 0, 50,
                                      20, dialog, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) ::PostMessageW(ok, WM_KEYDOWN, key, 0);
    DispatchPending(*window_);
    ::DestroyWindow(dialog);
    EXPECT_EQ(commands, std::to_string(IDOK) + std::to_string(IDCANCEL));
}

}  // namespace
}  // namespace kelvora::win32::test
