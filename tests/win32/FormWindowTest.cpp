// What only the Windows front end does: the layout at each density and after
// the frame changes, the digits' room, the colours it paints, the focus,
// selection and keys as Windows' own controls and messages move them, the
// keys of an open dialog or menu, no input context, the common controls of
// its tips, the largest picture it takes.
// What a user sees of the whole program is in end-to-end.sh.

#include <map>

#include "FormWindowFixture.h"
#include "platform/windows/SystemLibraries.h"
#include "win32/Fonts.h"
#include "win32/Layout.h"
#include "win32/Picture.h"
#include "win32/ResourceIds.h"
// The input method routines.
#include <imm.h>

namespace kelvora::win32::test {
namespace {

// Whether a window's messages go to the side-by-side version 6 of the common
// controls, which the executable's own manifest does not name.
bool OfCommonControlsSix(HWND window) {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(::GetWindowLongPtrW(window, GWLP_WNDPROC)), &module);
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(::CharLowerW(path)).find(L"\\winsxs\\") != std::wstring::npos;
}

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom) + " ";
}

// Laid out for the other density, as after a move to a monitor of it, then
// for its own once the load finds it still on its first monitor: the client
// area, Command1, txtSS, txtMM and the fields' font height. A wider frame (a
// theme, high contrast, a larger caption) leaves the client area as it is.
// The colon has the caption text colour unless that vanishes into the strip,
// as black does on Windows 10 and 11 (the 144-dpi run).
TEST_F(FormWindowTest, LaysOutAtEachDensityAndForEachFrameAndPaintsAColonThatReads) {
    const std::map<UINT, std::string> expected{
        {96, "0,0,98,27 74,1,98,25 48,4,71,25 4,4,37,25 19"},
        {144, "0,0,147,41 111,1,147,37 72,6,107,38 6,6,56,38 29"}};
    window_->Create();
    const HWND form = window_->Handle();
    const UINT own = window_->Dpi(), other = own == 96 ? 144 : 96;
    EXPECT_EQ(own, std::stoul(std::getenv("KELVORA_EXPECTED_DPI")));
    RECT rect{300, 200, 400, 300};
    ::SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&rect));
    for (const UINT dpi : {other, own, own}) {
        if (dpi == own && !::IsWindowVisible(form)) {
            window_->LoadAndShow();
        } else if (dpi == own) {
            ::SetWindowLongW(form, GWL_STYLE, ::GetWindowLongW(form, GWL_STYLE) | WS_THICKFRAME);
            ::SetWindowPos(form, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
            ::SendMessageW(form, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
        }
        ::GetClientRect(form, &rect);
        std::string placed = Show(rect);
        for (const auto control : {FormControl::Command1, FormControl::txtSS, FormControl::txtMM}) {
            ::GetWindowRect(Control(control), &rect);
            ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
            placed.append(Show(rect));
        }
        LOGFONTW font{};
        ::GetObjectW(
            reinterpret_cast<HFONT>(::SendMessageW(Control(FormControl::txtMM), WM_GETFONT, 0, 0)),
            sizeof(font), &font);
        EXPECT_EQ(placed.append(std::to_string(-font.lfHeight)), expected.at(dpi));
    }

    ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const HDC dc = ::GetDC(form);
    const FormLayout layout = LayoutAt(own);
    // Three digits fit txtMM and two txtSS, in whatever fixed-pitch face
    // stands for the Gothic.
    const int digit = FixedPitchDigitWidth(
        reinterpret_cast<HFONT>(::SendMessageW(Control(FormControl::txtMM), WM_GETFONT, 0, 0)));
    EXPECT_TRUE(digit > 0 && 3 * digit <= layout.txtMM.right - layout.txtMM.left &&
                2 * digit <= layout.txtSS.right - layout.txtSS.left)
        << digit;
    const RECT& label = layout.label1;
    const int middle = (layout.command1.left + layout.command1.right) / 2;
    EXPECT_EQ(::GetPixel(dc, label.left + 2, label.top + 1), RGB(0, 0, 64)) << "the strip";
    EXPECT_NE(::GetPixel(dc, middle, middle), RGB(0, 0, 0)) << "the start picture";
    COLORREF colon = 0;  // the brightest pixel down its middle
    for (int y = label.top; y < label.bottom; ++y) {
        const COLORREF c = ::GetPixel(dc, (label.left + label.right) / 2, y);
        if (GetRValue(c) + GetGValue(c) > GetRValue(colon) + GetGValue(colon)) colon = c;
    }
    ::ReleaseDC(form, dc);
    const COLORREF caption = ::GetSysColor(COLOR_CAPTIONTEXT);
    EXPECT_EQ(colon, caption == RGB(0, 0, 0) ? RGB(255, 255, 255) : caption);
}

// A field selects its whole text when the focus comes to it, by the load, Tab
// or a click, but not when the window's return to the front gives it back:
// typing goes on where it stopped. A tick lets pending events run while a
// message box may be open: Enter and Escape typed into it stay its OK and
// Cancel; while a menu is open, every key stays in the queue for the menu's
// own loop. No control has an input context, so no key opens a composition.
TEST_F(FormWindowTest, TheFocusSelectsAsOnWindowsAndADialogOrMenuKeepsItsKeys) {
    Start();
    const HWND mm = Control(FormControl::txtMM), ss = Control(FormControl::txtSS);
    EXPECT_EQ(SelectionOf(mm), std::make_pair(0, 2)) << "focused by the load";
    PressKey(VK_TAB);
    EXPECT_EQ(SelectionOf(ss), std::make_pair(0, 2)) << "focused by Tab";
    PressKey('1');
    static std::string commands;
    const HWND dialog = ::CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9,
                                          window_->Handle(), nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(dialog, DWLP_DLGPROC,
                        reinterpret_cast<LONG_PTR>(+[](HWND, UINT message, WPARAM w, LPARAM) {
                            if (message == WM_COMMAND) commands += std::to_string(LOWORD(w));
                            return INT_PTR{FALSE};
                        }));
    ::SetActiveWindow(dialog);
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) ::PostMessageW(dialog, WM_KEYDOWN, key, 0);
    DispatchPending(*window_);
    EXPECT_EQ(commands, std::to_string(IDOK) + std::to_string(IDCANCEL));
    ::DestroyWindow(dialog);
    PressKey('5');
    EXPECT_EQ(SelectionOf(ss), std::make_pair(2, 2)) << "the returning focus did not select";
    // Ctrl+A and Ctrl+Backspace as Windows' keyboard sends them (Wine's sends
    // Backspace), which the classic edit control takes for characters.
    ::SendMessageW(ss, WM_CHAR, 0x01, 0);
    EXPECT_EQ(SelectionOf(ss), std::make_pair(0, 2)) << "Ctrl+A";
    ::SendMessageW(ss, EM_SETSEL, 2, 2);
    ::SendMessageW(ss, WM_CHAR, 0x7F, 0);
    EXPECT_EQ(::GetWindowTextLengthW(ss), 0) << "Ctrl+Backspace took the word, and typed no box";

    // Windows' edit control places the caret at the click after the focus has
    // come; Wine's before. A pointer resting on a field shows its tip.
    RECT field;
    ::GetWindowRect(mm, &field);
    ::SetCursorPos((field.left + field.right) / 2, (field.top + field.bottom) / 2);
    EXPECT_TRUE(Pump([&] { return ::IsWindowVisible(window_->TooltipHandle()) != FALSE; }));
    EXPECT_PRED1(OfCommonControlsSix, window_->TooltipHandle());
    Mouse(MOUSEEVENTF_LEFTDOWN);
    ::SendMessageW(mm, EM_SETSEL, 1, 1);
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(SelectionOf(mm), std::make_pair(0, 2)) << "selected once the click was done";
    for (const HWND window : {window_->Handle(), Control(FormControl::Command1), mm, ss})
        EXPECT_EQ(::ImmGetContext(window), nullptr);
    static FormTimerWindow* form = window_.get();
    static bool menuKeptEnter = false;
    ::SetWindowTextW(ss, L"5");
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"1");
    ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        ::PostMessageW(form->ControlHandle(FormControl::txtMM), WM_KEYDOWN, VK_RETURN, 0);
        DispatchPending(*form);  // as a tick lets events run inside the menu's loop
        MSG key;
        menuKeptEnter = ::PeekMessageW(&key, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
        ::EndMenu();
    });
    ::TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, window_->Handle(), nullptr);
    ::DestroyMenu(menu);
    EXPECT_TRUE(menuKeptEnter);
    EXPECT_EQ(window_->Logic().Running, 0) << "Enter started the countdown under the menu";
}

// The bitmaps built into the executable hold the pixels of the GIFs in Data/,
// the right way up: the button keeps its look after the first click.
TEST_F(FormWindowTest, BuiltInPicturesAreThoseOfTheDataFolder) {
    for (const auto& [id, file] : {std::pair{IDR_BUILTIN_GO, "/button_go.gif"},
                                   std::pair{IDR_BUILTIN_STOP, "/button_stop.gif"}}) {
        const Picture built = LoadPictureResource(::GetModuleHandleW(nullptr), id);
        const Picture gif = LoadPictureFile(KELVORA_DATA_FILES + std::string(file));
        EXPECT_TRUE(built.width == gif.width && built.height == gif.height &&
                    built.pixels == gif.pixels)
            << file;
    }
}

// Once Kelvora.exe has narrowed the search, a library of a name the system
// lacks is not loaded from beside the executable.
TEST(SystemLibraries, NoneFromBesideTheExecutable) {
    wchar_t self[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const auto planted = std::filesystem::path(self).parent_path() / "kelvora-planted.dll";
    std::filesystem::remove(planted);  // left by a run that failed
    std::filesystem::copy_file(self, planted);
    const HMODULE before = ::LoadLibraryW(L"kelvora-planted.dll");
    ::FreeLibrary(before);
    platform::SearchSystemFolderOnly();
    const HMODULE after = ::LoadLibraryW(L"kelvora-planted.dll");
    ::FreeLibrary(after);
    std::filesystem::remove(planted);
    EXPECT_TRUE(before != nullptr && after == nullptr);
}

// A GIF's header may claim 65535 x 65535 pixels, 17 GB, in a 1 KB file.
TEST(PictureFile, SizesBeyond128MBOfPixelsAreRefused) {
    EXPECT_TRUE(PictureSizeAllowed(8192, 4096) && PictureSizeAllowed(23, 24));
    EXPECT_FALSE(PictureSizeAllowed(8192, 4097) || PictureSizeAllowed(0, 24) ||
                 PictureSizeAllowed(65535, 65535));
}

}  // namespace
}  // namespace kelvora::win32::test
