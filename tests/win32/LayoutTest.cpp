// The design in twips at the densities of 100 %, 125 %, 150 % and 200 %.

#include <gtest/gtest.h>

#include <string>

#include "win32/Layout.h"

namespace kelvora::win32::test {
namespace {

struct LayoutCase {
    const char* name;
    UINT dpi;
    SIZE client;
    RECT command1, txtSS, txtMM, label1;
    int fieldFont, labelFont;
};

class LayoutAtDensity : public testing::TestWithParam<LayoutCase> {};

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

TEST_P(LayoutAtDensity, PlacesEveryControl) {
    const LayoutCase& c = GetParam();
    const FormLayout layout = LayoutAt(c.dpi);
    EXPECT_EQ(layout.client.cx, c.client.cx);
    EXPECT_EQ(layout.client.cy, c.client.cy);
    ExpectRect(layout.command1, c.command1, "Command1");
    ExpectRect(layout.txtSS, c.txtSS, "txtSS");
    ExpectRect(layout.txtMM, c.txtMM, "txtMM");
    ExpectRect(layout.label1, c.label1, "Label1");
    EXPECT_EQ(layout.fieldFontHeight, c.fieldFont);
    EXPECT_EQ(layout.labelFontHeight, c.labelFont);

    // What holds at every density: the button flush with the right edge, the
    // label reaching under both fields.
    EXPECT_EQ(layout.command1.right, layout.client.cx);
    EXPECT_LT(layout.label1.left, layout.txtMM.right);
    EXPECT_GT(layout.label1.right, layout.txtSS.left);
}

// At 96 dpi: Command1 74, 1, 24 x 24; txtSS 48, 4, 23 x 21; txtMM 4, 4,
// 33 x 21; Label1 36, 4, 13 x 21; client 98 x 27; fonts 19 and 21 pixels.
INSTANTIATE_TEST_SUITE_P(Densities, LayoutAtDensity,
                         testing::Values(LayoutCase{"Dpi96",
                                                    96,
                                                    {98, 27},
                                                    {74, 1, 98, 25},
                                                    {48, 4, 71, 25},
                                                    {4, 4, 37, 25},
                                                    {36, 4, 49, 25},
                                                    19,
                                                    21},
                                         LayoutCase{"Dpi120",
                                                    120,
                                                    {123, 34},
                                                    {93, 1, 123, 31},
                                                    {60, 5, 89, 31},
                                                    {5, 5, 46, 31},
                                                    {45, 5, 61, 31},
                                                    24,
                                                    26},
                                         LayoutCase{"Dpi144",
                                                    144,
                                                    {147, 41},
                                                    {111, 1, 147, 37},
                                                    {72, 6, 107, 38},
                                                    {6, 6, 56, 38},
                                                    {54, 6, 74, 38},
                                                    29,
                                                    32},
                                         LayoutCase{"Dpi192",
                                                    192,
                                                    {196, 54},
                                                    {148, 1, 196, 49},
                                                    {96, 8, 142, 50},
                                                    {8, 8, 74, 50},
                                                    {72, 8, 98, 50},
                                                    38,
                                                    42}),
                         [](const testing::TestParamInfo<LayoutCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kelvora::win32::test
