#include "platform/FileText.h"

#include "platform/windows/Utf16.h"

namespace kelvora::platform {

namespace {

constexpr wchar_t kReplacement = L'\uFFFD';

// The characters at the start of `bytes` that the code page decodes, trying
// the shortest sequence first; 0 when no sequence of up to four bytes decodes.
int DecodeOne(std::string_view bytes, wchar_t (&out)[2], int& units) {
    const int longest = static_cast<int>(bytes.size() < 4 ? bytes.size() : 4);
    for (int length = 1; length <= longest; ++length) {
        units = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, out, 2);
        if (units > 0) return length;
    }
    return 0;
}

// Slow path for text the code page rejects as a whole: each byte that begins
// no character becomes U+FFFD, and the rest decodes as usual.
std::wstring DecodeByCharacter(std::string_view bytes) {
    std::wstring wide;
    wide.reserve(bytes.size());
    while (!bytes.empty()) {
        wchar_t units[2];
        int count = 0;
        const int length = DecodeOne(bytes, units, count);
        if (length == 0) {
            wide.push_back(kReplacement);
            bytes.remove_prefix(1);
        } else {
            wide.append(units, static_cast<std::size_t>(count));
            bytes.remove_prefix(static_cast<std::size_t>(length));
        }
    }
    return wide;
}

}  // namespace

// On Windows the data files are in the ANSI code page: Shift-JIS on a
// Japanese system.
std::string FileTextToUtf8(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length =
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) return WideToUtf8(DecodeByCharacter(bytes));
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return WideToUtf8(wide);
}

}  // namespace kelvora::platform
