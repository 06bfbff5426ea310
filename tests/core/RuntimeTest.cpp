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

using test::ReadBytes;
using test::Utf8;
using test::WriteBytes;

int ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

TEST(Numbers, TextReadsAsANumberTheSameWayForTheTestTheConversionAndThePattern) {
    const struct {
        const char* text;
        std::int64_t value;  // what CLng gives
        int error;           // or the error it raises: 13 for no number at all
        const char* shown;   // through the "00" pattern
    } rows[] = {
        {"5", 5, 0, "05"}, {"007", 7, 0, "07"}, {" 30 ", 30, 0, "30"}, {"\t12\r\n", 12, 0, "12"},
        {"-1", -1, 0, "-01"}, {"+4", 4, 0, "04"}, {"2.4", 2, 0, "02"}, {"2.6", 3, 0, "03"},
        {"2.5", 2, 0, "03"}, {"3.5", 4, 0, "04"}, {"-2.5", -2, 0, "-03"}, {".5", 0, 0, "01"},
        {"-0.4", 0, 0, "00"}, {"1.", 1, 0, "01"}, {"1e3", 1000, 0, "1000"}, {"1.5E+2", 150, 0, "150"},
        {"25e-1", 2, 0, "03"}, {"1e-999", 0, 0, "00"}, {"59940", 59940, 0, "59940"},
        {"2147483647", 2147483647, 0, "2147483647"}, {"-2147483648", -2147483648LL, 0, nullptr},
        {"2147483648", 0, kOverflow, nullptr}, {"2147483647.5", 0, kOverflow, nullptr},
        {"-2147483649", 0, kOverflow, nullptr}, {"1e999", 0, kOverflow, "1e999"},
        {"99999999999999999999999", 0, kOverflow, nullptr},
        {"", 0, kTypeMismatch, ""}, {"   ", 0, kTypeMismatch, "   "},
        {"abc", 0, kTypeMismatch, "abc"}, {"1,000", 0, kTypeMismatch, "1,000"},
        {"1 2", 0, kTypeMismatch, "1 2"}, {"--1", 0, kTypeMismatch, "--1"},
        {"1e", 0, kTypeMismatch, "1e"}, {".", 0, kTypeMismatch, "."},
        {"0x10", 0, kTypeMismatch, "0x10"}, {"inf", 0, kTypeMismatch, "inf"},
        {"nan", 0, kTypeMismatch, "nan"}, {"- 1", 0, kTypeMismatch, "- 1"},
        {" 30x", 0, kTypeMismatch, " 30x"}, {"１２", 0, kTypeMismatch, "１２"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsNumeric(row.text), row.error != kTypeMismatch);
        std::int32_t value = 0;
        EXPECT_EQ(ErrorOf([&] { value = CLng(row.text); }), row.error);
        EXPECT_EQ(value, row.value);
        if (row.shown != nullptr) {
            EXPECT_EQ(Format00(std::string_view(row.text)), row.shown);
        }
    }
    EXPECT_EQ(Format00(998.0) + Format00(9.0), "99809");
}

TEST(Numbers, ArithmeticRaisesOverflowInsteadOfWrapping) {
    EXPECT_EQ(CheckedAdd(CheckedMultiply(999, 60), 0), 59940);
    EXPECT_EQ(CheckedAdd(2147483646, 1), 2147483647);
    EXPECT_EQ(CheckedSubtract(-2147483647, 1), -2147483647 - 1);
    for (const auto& overflow : {+[] { CheckedAdd(2147483647, 1); },
                                 +[] { CheckedSubtract(-2147483647 - 1, 1); },
                                 +[] { CheckedMultiply(-2147483647 - 1, 60); }}) {
        EXPECT_EQ(ErrorOf(overflow), kOverflow);
    }
    EXPECT_EQ(ErrorDescription(kOverflow), "オーバーフローしました。");
}

TEST(Files, ReadLineByLineAndSayWhatIsWrongWithAPath) {
    const test::TempFolder folder;
    const std::string file = Utf8(folder / "lines.txt");
    WriteBytes(folder / "lines.txt", "one\r\ntwo\rthree\n\nfour");
    const int n = FreeFile();
    OpenForInput(n, file);
    EXPECT_EQ(FreeFile(), n + 1);
    EXPECT_EQ(ErrorOf([&] { OpenForInput(n, file); }), kFileAlreadyOpen);
    for (const char* line : {"one", "two", "three", "", "four"}) EXPECT_EQ(LineInput(n), line);
    EXPECT_EQ(ErrorOf([&] { LineInput(n); }), kInputPastEndOfFile);
    Close(n);
    Close(n);  // closing twice is harmless
    EXPECT_EQ(FreeFile(), n);

    const std::pair<std::string, int> paths[] = {
        {Utf8(folder / "missing.txt"), kFileNotFound},
        {Utf8(folder / "no" / "file.txt"), kPathNotFound},
        {Utf8(folder / "lines.txt" / "below"), kPathNotFound},
        {Utf8(folder.Path()), kPathFileAccessError},
    };
    for (const auto& [path, error] : paths) {
        EXPECT_EQ(ErrorOf([&] { OpenForInput(n, path); }), error) << path;
        if (error == kFileNotFound) continue;
        EXPECT_EQ(ErrorOf([&] { OpenForOutput(n, path); }), error) << path;
    }
    EXPECT_FALSE(IsOpen(n));
}

TEST(Files, OutputReplacesTheOldContentsOnlyWhenComplete) {
    const test::TempFolder folder;
    const auto file = folder / "TimerSet.txt";
    WriteBytes(file, "5,30\r\n");
    const int n = FreeFile();
    OpenForOutput(n, Utf8(file));
    WriteRecord(n, {-7, 100});
    EXPECT_EQ(ReadBytes(file), "5,30\r\n") << "a crash now must leave the old setting";
    Close(n);
    EXPECT_EQ(ReadBytes(file), "-7,100\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(UncaughtError, IsReportedWithItsNumberAndEndsTheProgram) {
    test::FakeFrontEnd box;
    bool ended = false;
    RaiseEvent([] {}, box, [&] { ended = true; });
    EXPECT_FALSE(ended);
    RaiseEvent([] { RaiseError(kOverflow); }, box, [&] { ended = true; });
    EXPECT_TRUE(ended);
    EXPECT_EQ(box.Messages(), "実行時エラー '6':\n\nオーバーフローしました。");
    EXPECT_EQ(box.shown.at(0).title, "Kelvora");
}

}  // namespace
}  // namespace kelvora::core
