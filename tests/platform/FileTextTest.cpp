// Setting-file bytes as the fields get them on Linux: well-formed UTF-8 as it
// is, every byte of anything else as one U+FFFD.

#include <gtest/gtest.h>

#include "platform/FileText.h"

namespace kelvora::platform::test {
namespace {

TEST(FileText, KeepsWellFormedUtf8AndReplacesEachByteOfTheRest) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> rows[] = {
        {"5,30", "5,30"}, {"\xC3\xA9", "\xC3\xA9"}, {"\xE0\xA0\x80", "\xE0\xA0\x80"},
        {"\xE3\x81\x82", "\xE3\x81\x82"}, {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"\xE3\x81", r + r}, {"\xC0\xAF", r + r}, {"\xE0\x9F\x80", r + r + r},
        {"\xED\xA0\x80", r + r + r}, {"\xF4\x90\x80\x80", r + r + r + r}, {"1\xFF", "1" + r},
    };
    for (const auto& [bytes, text] : rows) EXPECT_EQ(FileTextToUtf8(bytes), text) << bytes;
}

}  // namespace
}  // namespace kelvora::platform::test
