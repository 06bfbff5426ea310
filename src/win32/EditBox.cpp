#include "win32/EditBox.h"

#include "platform/windows/Utf16.h"

namespace kelvora::win32 {

int UnitsForCharacters(std::wstring_view text, int from, int characters) {
    const int length = static_cast<int>(text.size());
    int unit = from < 0 ? 0 : (from > length ? length : from);
    const int start = unit;
    for (int counted = 0; counted < characters && unit < length; ++counted) {
        const bool pair =
            IS_HIGH_SURROGATE(text[unit]) && unit + 1 < length && IS_LOW_SURROGATE(text[unit + 1]);
        unit += pair ? 2 : 1;
    }
    return unit - start;
}

namespace {

// What the keyboard types for Ctrl+A and Ctrl+Backspace.
constexpr WPARAM kCtrlA = 0x01;
constexpr WPARAM kCtrlBackspace = 0x7F;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\x3000'; }

}  // namespace

void EditBox::Attach(HWND edit) {
    Detach();
    edit_ = edit;
    if (edit_ == nullptr) return;
    ::SetWindowLongPtrW(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    control_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBox::Procedure)));
}

void EditBox::Detach() {
    if (edit_ == nullptr || control_ == nullptr) return;
    ::SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_));
    ::SetWindowLongPtrW(edit_, GWLP_USERDATA, 0);
    control_ = nullptr;
}

LRESULT CALLBACK EditBox::Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditBox*>(::GetWindowLongPtrW(edit, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(edit, message, wParam, lParam);
    const WNDPROC control = self->control_;
    switch (message) {
        case WM_GETOBJECT:
            if (self->asked_) self->asked_();
            break;
        case WM_CHAR:
            if (wParam == kCtrlA) {
                ::SendMessageW(edit, EM_SETSEL, 0, -1);
                return 0;
            }
            if (wParam == kCtrlBackspace) {
                self->DeleteWordBeforeCaret();
                return 0;
            }
            break;
        case WM_NCDESTROY:
            self->Detach();
            self->edit_ = nullptr;
            break;
        default:
            break;
    }
    return ::CallWindowProcW(control, edit, message, wParam, lParam);
}

// A selection goes as with Backspace; otherwise the blanks before the caret
// and the word before them.
void EditBox::DeleteWordBeforeCaret() {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    if (start == end) {
        const std::wstring text = WideText();
        while (start > 0 && IsBlank(text[start - 1])) --start;
        while (start > 0 && !IsBlank(text[start - 1])) --start;
        ::SendMessageW(edit_, EM_SETSEL, start, end);
    }
    ::SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

std::wstring EditBox::WideText() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string EditBox::Text() const { return platform::WideToUtf8(WideText()); }

void EditBox::SetText(const std::string& text) {
    ::SetWindowTextW(edit_, platform::Utf8ToWide(text).c_str());
}

void EditBox::SetSelStart(int start) {
    const int unit = UnitsForCharacters(WideText(), 0, start);
    ::SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(unit), static_cast<LPARAM>(unit));
}

// The selection grows from where it starts now, as the logic set it.
void EditBox::SetSelLength(int length) {
    DWORD start = 0;
    ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const int from = static_cast<int>(start);
    const int units = UnitsForCharacters(WideText(), from, length);
    ::SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(from + units));
}

void EditBox::SetFocus() { ::SetFocus(edit_); }

}  // namespace kelvora::win32
