// The small runtime under the form: numbers as the fields and files need them,
// files by number, and the report of an error no handler caught.

#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/FileNumbers.h"
#include "core/FileSystem.h"
#include "core/Numbers.h"
#include "core/UncaughtError.h"

namespace kelvora::core {
namespace {

// What a call gives: its value, or the error it raises as "error <number>".
std::string Outcome(const std::function<std::int64_t()>& call) {
    try {
        return std::to_string(call());
    } catch (const RuntimeError& error) {
        return "error " + std::to_string(error.Number());
    }
}

TEST(Numbers, TheTestTheConversionAndThePatternReadTextAlike) {
    // text, CLng, the "00" pattern
    // clang-format off
    const char* const rows[][3] = {
        {"5", "5", "05"}, {"007", "7", "07"}, {" 30 ", "30", "30"}, {"\t12\r\n", "12", "12"},
        {"-1", "-1", "-01"}, {"+4", "4", "04"}, {"2.4", "2", "02"}, {"2.6", "3", "03"},
        {"2.5", "2", "03"}, {"3.5", "4", "04"}, {"-2.5", "-2", "-03"}, {".5", "0", "01"},
        {"-0.4", "0", "00"}, {"1.", "1", "01"}, {"1e3", "1000", "1000"}, {"1.5E+2", "150", "150"},
        {"25e-1", "2", "03"}, {"1e-999", "0", "00"}, {"2147483647", "2147483647", "2147483647"},
        {"-2147483648", "-2147483648", "-2147483648"}, {"2147483648", "error 6", "2147483648"},
        {"1e20", "error 6", "100000000000000000000"},
        {"2147483647.5", "error 6", "2147483648"}, {"-2147483649", "error 6", "-2147483649"},
        {"1e999", "error 6", "1e999"}, {"", "error 13", ""}, {"   ", "error 13", "   "},
        {"abc", "error 13", "abc"}, {"1,000", "error 13", "1,000"}, {"1 2", "error 13", "1 2"},
        {"--1", "error 13", "--1"}, {"1e", "error 13", "1e"}, {".", "error 13", "."},
        {"0x10", "error 13", "0x10"}, {"inf", "error 13", "inf"}, {"nan", "error 13", "nan"},
        {"- 1", "error 13", "- 1"}, {" 30x", "error 13", " 30x"}, {"１２", "error 13", "１２"}};
    // clang-format on
    for (const auto& [text, converted, shown] : rows) {
        EXPECT_EQ(Outcome([&] { return CLng(text); }), converted) << text;
        EXPECT_EQ(IsNumeric(text), std::string(converted) != "error 13") << text;
        EXPECT_EQ(Format00(std::string_view(text)), shown) << text;
    }
}

// Numbers are handed out lowest first and not twice while open; closing one
// twice does no harm.
TEST(Files, NumbersAreHandedOutOnceAndFoldersSayWhyTheyCannotBeMade) {
    const test::TempFolder folder;
    const std::string file = test::Utf8(folder / "TimerSet.txt");
    test::WriteBytes(folder / "TimerSet.txt", "5,30\r\n");
    const int n = FreeFile();
    OpenForInput(n, file);
    EXPECT_EQ(std::to_string(FreeFile() - n) + Outcome([&] { return OpenForInput(n, file), 0; }),
              "1error 55");
    Close(n), Close(n);
    // Numbers run from 1 to 255; FreeFile never hands out another.
    std::string range;
    for (int number : {0, 1, 255, 256}) {
        range += Outcome([&] { return OpenForInput(number, file), 0; }) + " ";
    }
    Close(1), Close(255);
    EXPECT_EQ(range, "error 52 0 0 error 52 ");
    // A folder that cannot be made says why: no parent (76), or any other
    // reason (75), such as a name that is taken by a link to nowhere.
    std::string made = std::to_string(FreeFile() - n) + " ";
    for (const auto& path : {folder / "no" / "Data", folder.Path()}) {
        made += Outcome([&] { return MkDir(test::Utf8(path)), 0; }) + " ";
    }
    EXPECT_EQ(made, "0 error 76 error 75 ");
}

TEST(UncaughtError, IsReportedWithItsNumberAndEndsTheProgram) {
    test::FakeFrontEnd box;
    int ended = 0;
    RaiseEvent([] {}, box, [&] { ++ended; });
    RaiseEvent([] { RaiseError(kOverflow); }, box, [&] { ++ended; });
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(box.messages, " [16 Kelvora: 実行時エラー '6':\n\nオーバーフローしました。]");
}

}  // namespace
}  // namespace kelvora::core
