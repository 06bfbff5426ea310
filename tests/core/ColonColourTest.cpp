#include <gtest/gtest.h>

#include "core/ColonColour.h"

namespace kelvora::core {
namespace {

TEST(ColonColour, KeepsTheCaptionTextColourOnlyWhereItReadsOnTheStrip) {
    // caption text, colon: the white of classic themes stays; the black Windows
    // 10 and 11 report, dark blue, and a grey just below 3:1 give way to white,
    // a grey just above it stays
    // clang-format off
    const std::pair<Rgb, Rgb> rows[] = {{kWhite, kWhite}, {{0, 0, 0}, kWhite}, {{0, 0, 128}, kWhite},
        {{93, 93, 93}, kWhite}, {{94, 94, 94}, {94, 94, 94}}};
    // clang-format on
    for (const auto& [in, out] : rows)
        EXPECT_TRUE(ColonColour(in) == out) << int(in.red) << int(in.blue);
}

}  // namespace
}  // namespace kelvora::core
