#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/Numbers.h"
#include "core/RuntimeError.h"

namespace kelvora::core {
namespace {

struct Conversion {
    const char* text;
    bool numeric;
    std::int64_t value;  // what CLng gives, when it gives a value
    int error;           // the error CLng raises instead, or 0
};

class ConversionTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(ConversionTest, ReadsTextAsTheFieldsAndFilesNeed) {
    const Conversion& c = GetParam();
    EXPECT_EQ(IsNumeric(c.text), c.numeric);
    if (c.error != 0) {
        try {
            CLng(c.text);
            FAIL() << "no error for '" << c.text << "'";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), c.error);
        }
    } else {
        EXPECT_EQ(CLng(c.text), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ConversionTest,
    ::testing::Values(
        Conversion{"5", true, 5, 0}, Conversion{"007", true, 7, 0},
        Conversion{" 30 ", true, 30, 0}, Conversion{"\t12\r\n", true, 12, 0},
        Conversion{"-1", true, -1, 0}, Conversion{"+4", true, 4, 0},
        Conversion{"2.4", true, 2, 0}, Conversion{"2.6", true, 3, 0},
        Conversion{"2.5", true, 2, 0}, Conversion{"3.5", true, 4, 0},
        Conversion{"-2.5", true, -2, 0}, Conversion{".5", true, 0, 0},
        Conversion{"1.", true, 1, 0}, Conversion{"1e3", true, 1000, 0},
        Conversion{"1.5E+2", true, 150, 0}, Conversion{"25e-1", true, 2, 0},
        Conversion{"2147483647", true, 2147483647, 0},
        Conversion{"-2147483648", true, -2147483648LL, 0},
        Conversion{"2147483648", true, 0, kOverflow},
        Conversion{"2147483647.5", true, 0, kOverflow},
        Conversion{"-2147483649", true, 0, kOverflow},
        Conversion{"1e999", true, 0, kOverflow}, Conversion{"1e-999", true, 0, 0},
        Conversion{"99999999999999999999999", true, 0, kOverflow},
        Conversion{"", false, 0, kTypeMismatch}, Conversion{"   ", false, 0, kTypeMismatch},
        Conversion{"abc", false, 0, kTypeMismatch}, Conversion{"1,000", false, 0, kTypeMismatch},
        Conversion{"1 2", false, 0, kTypeMismatch}, Conversion{"--1", false, 0, kTypeMismatch},
        Conversion{"1e", false, 0, kTypeMismatch}, Conversion{".", false, 0, kTypeMismatch},
        Conversion{"0x10", false, 0, kTypeMismatch}, Conversion{"inf", false, 0, kTypeMismatch},
        Conversion{"nan", false, 0, kTypeMismatch}, Conversion{"- 1", false, 0, kTypeMismatch},
        Conversion{"１２", false, 0, kTypeMismatch}));

TEST(Format00, PadsToTwoDigitsAndNeverCuts) {
    const struct {
        const char* text;
        const char* shown;
    } table[] = {
        {"5", "05"},   {"0", "00"},     {"30", "30"},   {"120", "120"},  {"-1", "-01"},
        {" 5 ", "05"}, {"2.5", "03"},   {"2.4", "02"},  {"59940", "59940"}, {"abc", "abc"},
        {"", ""},      {" 30x", " 30x"}, {"1e999", "1e999"}, {"-0.4", "00"},
    };
    for (const auto& row : table) EXPECT_EQ(Format00(std::string(row.text)), row.shown) << row.text;
    EXPECT_EQ(Format00(998.0), "998");
    EXPECT_EQ(Format00(9.0), "09");
}

TEST(CheckedArithmetic, RaisesOverflowInsteadOfWrapping) {
    EXPECT_EQ(CheckedMultiply(999, 60), 59940);
    EXPECT_EQ(CheckedAdd(2147483646, 1), 2147483647);
    for (const auto& overflow : {
             +[] { CheckedAdd(2147483647, 1); },
             +[] { CheckedSubtract(-2147483647 - 1, 1); },
             +[] { CheckedMultiply(-2147483647 - 1, 60); },
         }) {
        try {
            overflow();
            ADD_FAILURE() << "no overflow";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), kOverflow);
            EXPECT_EQ(error.Description(), "オーバーフローしました。");
        }
    }
}

}  // namespace
}  // namespace kelvora::core
