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
