#include "platform/FileText.h"

#include <cstdint>

namespace kelvora::platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool InRange(std::uint8_t byte, std::uint8_t low, std::uint8_t high) {
    return byte >= low && byte <= high;
}

// Length of the well-formed UTF-8 sequence at `at`, or 0 if there is none:
// no overlong forms, no surrogates, nothing above U+10FFFF, nothing cut short.
std::size_t SequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return 1;

    std::size_t length = 0;
    std::uint8_t low = 0x80;  // the bounds of the second byte depend on the first
    std::uint8_t high = 0xBF;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (lead == 0xE0) {
        length = 3;
        low = 0xA0;
    } else if (lead == 0xED) {
        length = 3;
        high = 0x9F;
    } else if (InRange(lead, 0xE1, 0xEF)) {
        length = 3;
    } else if (lead == 0xF0) {
        length = 4;
        low = 0x90;
    } else if (InRange(lead, 0xF1, 0xF3)) {
        length = 4;
    } else if (lead == 0xF4) {
        length = 4;
        high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - at < length || !InRange(byte(1), low, high)) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!InRange(byte(i), 0x80, 0xBF)) return 0;
    }
    return length;
}

}  // namespace

// Each byte that does not begin a well-formed sequence becomes one U+FFFD, so
// a sequence cut short yields as many replacements as it has bytes.
std::string FileTextToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = SequenceLength(bytes, at);
        if (length == 0) {
            text.append(kReplacement);
            ++at;
        } else {
            text.append(bytes.substr(at, length));
            at += length;
        }
    }
    return text;
}

}  // namespace kelvora::platform
