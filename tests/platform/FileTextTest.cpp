// Data files are UTF-8 here; what is not becomes U+FFFD, one per byte.

#include <gtest/gtest.h>

#include <string>

#include "platform/FileText.h"

namespace kelvora::platform::test {
namespace {

using namespace std::string_literals;

const std::string R = "\xEF\xBF\xBD";  // U+FFFD

struct TextCase {
    const char* name;
    std::string bytes;
    std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class FileText : public testing::TestWithParam<TextCase> {};

TEST_P(FileText, KeepsValidTextAndReplacesEachBadByte) {
    EXPECT_EQ(FileTextToUtf8(GetParam().bytes), GetParam().expected);
}

const TextCase kCases[] = {
    {"Empty", "", ""},
    {"Ascii", "10,30\r\n", "10,30\r\n"},
    {"NulPasses", "a\0b"s, "a\0b"s},
    {"TwoBytes", "caf\xC3\xA9", "caf\xC3\xA9"},
    {"ThreeBytes", "\xE5\x88\x86\xEF\xBC\x9A", "\xE5\x88\x86\xEF\xBC\x9A"},
    {"FourBytes", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    {"SmallestThreeByte", "\xE0\xA0\x80", "\xE0\xA0\x80"},
    {"LargestCodePoint", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
    {"LoneContinuation",
     "a\x80"
     "b",
     "a" + R + "b"},
    {"InvalidLeads", "\xC0\xC1\xF5\xFF", R + R + R + R},
    {"OverlongTwoBytes", "\xC0\xAF", R + R},
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

INSTANTIATE_TEST_SUITE_P(Cases, FileText, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TextCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kelvora::platform::test
