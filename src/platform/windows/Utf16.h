#pragma once
// Text is UTF-8 inside the program and UTF-16 at the Windows boundary. The
// wide-character routines take any character a path can hold, where the ANSI
// ones would turn whatever the code page lacks into '?'.

#include <windows.h>

#include <string>
#include <string_view>

namespace kelvora::platform {

// Malformed UTF-8 becomes U+FFFD rather than failing: a name that cannot be
// converted exactly names no file anyway.
inline std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

// A lone surrogate becomes U+FFFD.
inline std::string WideToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace kelvora::platform
