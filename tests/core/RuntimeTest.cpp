// The small runtime under the form: numbers as the fields and files need them,
// files by number, and the report of an error no handler caught.

#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/FileNumbers.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "core/UncaughtError.h"

namespace kelvora::core {
namespace {

// The value a call gives, or the error it raises as "error <number>".
std::string Outcome(const std::function<std::int64_t()>& call) {
    try {
        return std::to_string(call());
    } catch (const RuntimeError& error) {
        return "error " + std::to_string(error.Number());
    }
}

TEST(Numbers, TheTestTheConversionAndThePatternReadTextAlike) {
    // text, CLng, the "00" pattern
    const char* const rows[][3] = {
        {"5", "5", "05"}, {"007", "7", "07"}, {" 30 ", "30", "30"}, {"\t12\r\n", "12", "12"},
        {"-1", "-1", "-01"}, {"+4", "4", "04"}, {"2.4", "2", "02"}, {"2.6", "3", "03"},
        {"2.5", "2", "03"}, {"3.5", "4", "04"}, {"-2.5", "-2", "-03"}, {".5", "0", "01"},
        {"-0.4", "0", "00"}, {"1.", "1", "01"}, {"1e3", "1000", "1000"}, {"1.5E+2", "150", "150"},
        {"25e-1", "2", "03"}, {"1e-999", "0", "00"}, {"2147483647", "2147483647", "2147483647"},
        {"-2147483648", "-2147483648", "-2147483648"}, {"2147483648", "error 6", "2147483648"},
        {"2147483647.5", "error 6", "2147483648"}, {"-2147483649", "error 6", "-2147483649"},
        {"1e999", "error 6", "1e999"}, {"", "error 13", ""}, {"   ", "error 13", "   "},
        {"abc", "error 13", "abc"}, {"1,000", "error 13", "1,000"}, {"1 2", "error 13", "1 2"},
        {"--1", "error 13", "--1"}, {"1e", "error 13", "1e"}, {".", "error 13", "."},
        {"0x10", "error 13", "0x10"}, {"inf", "error 13", "inf"}, {"nan", "error 13", "nan"},
        {"- 1", "error 13", "- 1"}, {" 30x", "error 13", " 30x"}, {"１２", "error 13", "１２"}
    };
    for (const auto& [text, converted, shown] : rows) {
        EXPECT_EQ(Outcome([&] { return CLng(text); }), converted) << text;
        EXPECT_EQ(IsNumeric(text), std::string(converted) != "error 13") << text;
        EXPECT_EQ(Format00(std::string_view(text)), shown) << text;
    }
}

TEST(Numbers, ArithmeticRaisesOverflowInsteadOfWrapping) {
    const std::int32_t low = -2147483647 - 1;
    EXPECT_EQ(Outcome([] { return CheckedAdd(CheckedMultiply(999, 60), 0); }), "59940");
    EXPECT_EQ(Outcome([] { return CheckedAdd(2147483646, 1); }), "2147483647");
    EXPECT_EQ(Outcome([] { return CheckedAdd(2147483647, 1); }), "error 6");
    EXPECT_EQ(Outcome([&] { return CheckedSubtract(low + 1, 1); }), "-2147483648");
    EXPECT_EQ(Outcome([&] { return CheckedSubtract(low, 1); }), "error 6");
    EXPECT_EQ(Outcome([&] { return CheckedMultiply(low, 60); }), "error 6");
}

TEST(Files, ReadLineByLineAndSayWhatIsWrongWithAPath) {
    const test::TempFolder folder;
    const std::string file = test::Utf8(folder / "lines.txt");
    test::WriteBytes(folder / "lines.txt", "one\r\ntwo\rthree\n\nfour");
    const int n = FreeFile();
    OpenForInput(n, file);
    EXPECT_EQ(FreeFile(), n + 1);
    std::string lines;
    for (int i = 0; i < 6; ++i) lines += Outcome([&] { return LineInput(n).size(); }) + " ";
    EXPECT_EQ(lines, "3 3 5 0 4 error 62 ");
    EXPECT_EQ(Outcome([&] { OpenForInput(n, file); return 0; }), "error 55");
    Close(n);
    Close(n);  // closing twice is harmless
    // path, error for input and output
    const std::pair<std::string, const char*> paths[] = {
        {test::Utf8(folder / "missing.txt"), "error 53 0"},
        {test::Utf8(folder / "no" / "file.txt"), "error 76 error 76"},
        {test::Utf8(folder / "lines.txt" / "below"), "error 76 error 76"},
        {test::Utf8(folder.Path()), "error 75 error 75"}
    };
    for (const auto& [path, errors] : paths) {
        const std::string input = Outcome([&] { OpenForInput(n, path); return 0; });
        EXPECT_EQ(input + " " + Outcome([&] { OpenForOutput(n, path); return 0; }), errors);
        Close(n);
    }
}

TEST(Files, OutputReplacesTheOldContentsOnlyWhenComplete) {
    const test::TempFolder folder;
    const auto file = folder / "TimerSet.txt";
    test::WriteBytes(file, "5,30\r\n");
    const int n = FreeFile();
    OpenForOutput(n, test::Utf8(file));
    WriteRecord(n, {-7, 100});
    EXPECT_EQ(test::ReadBytes(file), "5,30\r\n") << "a crash now must leave the old setting";
    Close(n);
    EXPECT_EQ(test::ReadBytes(file), "-7,100\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(UncaughtError, IsReportedWithItsNumberAndEndsTheProgram) {
    test::FakeFrontEnd box;
    int ended = 0;
    RaiseEvent([] {}, box, [&] { ++ended; });
    RaiseEvent([] { RaiseError(kOverflow); }, box, [&] { ++ended; });
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(box.Messages() + box.shown.at(0).title, "実行時エラー '6':\n\nオーバーフローしました。Kelvora");
}

}  // namespace
}  // namespace kelvora::core
