#include <gtest/gtest.h>

#include "core/ColonColour.h"

namespace kelvora::core {
namespace {

TEST(ColonColour, KeepsTheCaptionTextColourOnlyWhereItReadsOnTheStrip) {
    struct Row {
        Rgb caption, drawn;
    } rows[] = {
        {{255, 255, 255}, {255, 255, 255}},  // classic themes: white caption text
        {{255, 255, 0}, {255, 255, 0}},      // high contrast: yellow stays
        {{0, 0, 0}, kWhite},                 // Windows 10 and 11 report black
        {{0, 0, 128}, kWhite},               // dark blue on dark blue
        {{94, 94, 94}, {94, 94, 94}},        // just above 3:1
        {{93, 93, 93}, kWhite},              // just below 3:1
    };
    for (const Row& row : rows) {
        const Rgb drawn = ColonColour(row.caption);
        EXPECT_TRUE(drawn == row.drawn) << int(row.caption.red) << "," << int(row.caption.green);
    }
    EXPECT_NEAR(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
}

}  // namespace
}  // namespace kelvora::core
