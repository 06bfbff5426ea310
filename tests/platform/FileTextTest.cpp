// Setting-file bytes as the fields get them on Linux: well-formed UTF-8 as it
// is, every byte of anything else as one U+FFFD.

#include <gtest/gtest.h>

#include <vector>

#include "platform/FileText.h"

namespace kelvora::platform::test {
namespace {

// Unicode's table of well-formed sequences: by lead byte, the range of the
// byte after it and the sequence's length; any further byte is 80..BF.
struct Lead { int first, last, low, high; std::size_t length; };
const Lead kLeads[] = {{0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
                       {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
                       {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4}};

TEST(FileText, KeepsWellFormedUtf8AndReplacesEachByteOfTheRest) {
    // Nothing after the bytes, so that the sanitizers see any read past the end.
    const auto decoded = [](const std::string& s) { return FileTextToUtf8({std::vector<char>(s.begin(), s.end()).data(), s.size()}); };
    // Of an ill-formed sequence ASCII stays and each other byte becomes U+FFFD; each case at
    // the end of the text, and before a sequence that must come through whole.
    const auto check = [&](const std::string& bytes, bool wellFormed) {
        std::string text;
        for (const char byte : bytes) text += wellFormed || (byte & 0x80) == 0 ? std::string(1, byte) : "\xEF\xBF\xBD";
        EXPECT_EQ(decoded("1" + bytes), "1" + text) << bytes;
        EXPECT_EQ(decoded(bytes + "\xC3\xA9"), text + "\xC3\xA9") << bytes;
    };
    for (const char* bytes : {"\x80", "\xC1\xBF", "\xF5\x80\x80\x80", "\xFF"}) check(bytes, false);
    for (const Lead& l : kLeads) for (const int lead : {l.first, l.last}) {
        const std::string rest(l.length - 2, '\x80');
        const auto sequence = [&](int second) { return std::string{char(lead), char(second)} + rest; };
        for (const int second : {l.low, l.high, l.low - 1, l.high + 1}) check(sequence(second), second >= l.low && second <= l.high);
        check(sequence(l.high).substr(0, l.length - 1), false);  // cut short
        // A byte after the second that is no continuation: ASCII, or a lead byte
        for (std::size_t i = 2; i < l.length; ++i) check(sequence(l.low).replace(i, 1, 1, "\x7F\xC0"[i % 2]), false);
    }
}

}  // namespace
}  // namespace kelvora::platform::test
