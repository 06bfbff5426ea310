// Data files are UTF-8 here; what is not becomes U+FFFD, one per byte.

#include <gtest/gtest.h>

#include <string>

#include "platform/FileText.h"

namespace kelvora::platform::test {
namespace {

using namespace std::string_literals;

TEST(FileText, KeepsValidTextAndReplacesEachBadByte) {
    const std::string R = "\xEF\xBF\xBD";  // U+FFFD
    const struct {
        const char* name;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"Empty", "", ""},
        {"AsciiAndNul", "10,30\r\n\0"s, "10,30\r\n\0"s},
        {"TwoAndThreeBytes", "caf\xC3\xA9\xE5\x88\x86", "caf\xC3\xA9\xE5\x88\x86"},
        {"FourBytes", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"SmallestThreeByte", "\xE0\xA0\x80", "\xE0\xA0\x80"},
        {"LargestCodePoint", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        {"LoneContinuation",
         "a\x80"
         "b",
         "a" + R + "b"},
        {"InvalidLeads", "\xC0\xC1\xF5\xFF", R + R + R + R},
        {"OverlongThreeBytes", "\xE0\x9F\xBF", R + R + R},
        {"OverlongFourBytes", "\xF0\x8F\xBF\xBF", R + R + R + R},
        {"Surrogate", "\xED\xA0\x80", R + R + R},
        {"AboveLargestCodePoint", "\xF4\x90\x80\x80", R + R + R + R},
        {"CutShortAtTheEnd", "5\xE5\x88", "5" + R + R},
        {"CutShortBeforeAscii",
         "\xE5\x88"
         "5",
         R + R + "5"},
        {"CutShortBeforeAnotherSequence", "\xF0\x9F\xC3\xA9", R + R + "\xC3\xA9"},
        {"ShiftJis", "\x95\xAA\x81\x46", R + R + R + "F"},
    };
    for (const auto& c : cases) EXPECT_EQ(FileTextToUtf8(c.bytes), c.expected) << c.name;
}

}  // namespace
}  // namespace kelvora::platform::test
