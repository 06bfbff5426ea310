// The small runtime under the form: numbers as the fields and files need them,
// and files by number.

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif
#include <gtest/gtest.h>

#include <set>

#include "Fakes.h"
#include "core/App.h"
#include "core/FileNumbers.h"
#include "core/FileSystem.h"
#include "core/ModuleIniFileInOut.h"
#include "core/Numbers.h"

namespace kelvora::core {
namespace {

// What a call gives, or the error it raises as "error <number>".
std::string Outcome(const std::function<std::string()>& call) {
    try {
        return call();
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
        {"1e20", "error 6", "100000000000000000000"}, {"1e-0000400", "0", "00"},
        {"2147483647.5", "error 6", "2147483648"}, {"-2147483649", "error 6", "-2147483649"},
        {"1e999", "error 6", "1e999"}, {"", "error 13", ""}, {"   ", "error 13", "   "},
        {"abc", "error 13", "abc"}, {"1,000", "error 13", "1,000"}, {"1 2", "error 13", "1 2"},
        {"--1", "error 13", "--1"}, {"1e", "error 13", "1e"}, {".", "error 13", "."},
        {"0x10", "error 13", "0x10"}, {"inf", "error 13", "inf"}, {"nan", "error 13", "nan"},
        {"- 1", "error 13", "- 1"}, {" 30x", "error 13", " 30x"}, {"１２", "error 13", "１２"}};
    // clang-format on
    for (const auto& [text, converted, shown] : rows) {
        EXPECT_EQ(Outcome([&] { return std::to_string(CLng(text)); }), converted) << text;
        EXPECT_EQ(IsNumeric(text), std::string(converted) != "error 13") << text;
        EXPECT_EQ(Format00(std::string_view(text)), shown) << text;
    }
    std::string narrowed;  // 32-bit arithmetic right at its limits and one past them
    for (const std::int64_t v : {-2147483649LL, -2147483648LL, 2147483647LL, 2147483648LL})
        narrowed += Outcome([&] { return std::to_string(CheckedNarrow(v)); }) + " ";
    EXPECT_EQ(narrowed, "error 6 -2147483648 2147483647 error 6 ");
    // A message box names what went wrong: no error shares another's words.
    std::set<std::string> words;
    for (int number : {5, 6, 7, 9, 13, 52, 53, 55, 62, 70, 75, 76, 481, 0})
        words.insert(RuntimeError(number).what());
    EXPECT_EQ(words.size(), 14u);
    // Too small for a double, however its digits are placed: zero.
    for (const auto& tiny : {"0." + std::string(400, '0') + "1", std::string(400, '0') + "1e-400"})
        EXPECT_EQ(Format00(std::string_view(tiny)), "00") << tiny;
}

// Each routine as a caller that handles its errors meets it, one step after
// another on real files: what the step gives, or the error it raises.
TEST(Files, EveryRoutineGivesItsResultOrRaisesItsOwnError) {
    const test::TempFolder folder;
    const auto at = [&](const char* name) { return test::Utf8(folder / name); };
    const std::string in = at("in.txt"), out = at("out.txt"), none = at("no/x"), ro = at("ro.txt"),
                      dir = test::Utf8(folder.Path());
    // The CR LF after the x's is split across the reader's 64 KiB blocks.
    test::WriteBytes(folder / "in.txt", "a\rb\nc\r\n\r" + std::string(65527, 'x') + "\r\nend");
    test::WriteBytes(folder / "ro.txt", "old");
    std::filesystem::permissions(folder / "ro.txt", std::filesystem::perms::owner_read);
    // clang-format off
    const std::function<std::string()> steps[] = {
        [&] { return OpenForInput(1, in), "ok"; }, [&] { return LineInput(1); },
        [&] { return LineInput(1); }, [&] { return LineInput(1); }, [&] { return LineInput(1); },
        [&] { return LineInput(1, 4); }, [&] { return LineInput(1); }, [&] { return LineInput(1); },
        [&] { return WriteRecord(1, {1}), ""; }, [&] { return LineInput(2); },
        [&] { return WriteRecord(2, {1}), ""; }, [&] { return OpenForOutput(1, out), ""; },
        [&] { return std::to_string(FreeFile()); }, [&] { return OpenForInput(2, at("none")), ""; },
        [&] { return OpenForInput(2, none), ""; }, [&] { return OpenForInput(2, dir), ""; },
        [&] { return OpenForOutput(2, none), ""; }, [&] { return OpenForOutput(2, dir), ""; },
        [&] { return OpenForOutput(2, ro), ""; }, [&] { return OpenForOutput(0, out), ""; },
        [&] { return OpenForOutput(256, out), ""; }, [&] { return MkDir(none), ""; },
        [&] { return MkDir(dir), ""; }, [&] { return OpenForInput(255, in), Close(255), "ok"; },
        [&] { return OpenForOutput(2, out), "ok"; }, [&] { return LineInput(2); },
        [&] { return WriteRecord(2, {-8, 0, 2147483647}), WriteRecord(2, {}), Close(2), "ok"; },
        [&] { return test::ReadBytes(folder / "out.txt"); }, [&] { return Close(2), ""; },
        // The file's place is taken by a folder while it is open.
        [&] { return OpenForOutput(2, out), std::filesystem::remove(folder / "out.txt"), ""; },
        [&] { return std::filesystem::create_directory(folder / "out.txt"), Close(2), ""; },
        [&] { return std::to_string(FreeFile()) + test::ReadBytes(folder / "ro.txt"); },
        [&] { return std::to_string(WriteIniString(at("i"), "S", "K", std::string(300, 'v'))); },
        [&] { return std::to_string(ReadIniString(at("i"), "S", "K", "").size()); },
        [&] { return std::to_string(WriteIniString(none, "S", "K", "v")); }};
    // clang-format on
    std::string seen;
    for (const auto& step : steps) seen += Outcome(step) + "|";
    Close(1);
    EXPECT_EQ(seen,
              "ok|a|b|c||xxxx|end|error 62|error 52|error 52|error 52|error 55|2|error 53|"
              "error 76|error 75|error 76|error 75|error 70|error 52|error 52|error 76|error 75|"
              "ok|ok|error 52|ok|-8,0,2147483647\r\n\r\n|||error 70|2old|1|255|0|");
#ifndef _WIN32
    // A disk that fills up: the write fails, so does the close, and no file is
    // made; a start click, whose save fails the same way, still starts the
    // countdown and leaves no file number open.
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{4, limit.rlim_max};
    App().Path = dir;
    test::FakeFrontEnd ui;
    ui.Load(), ui.Type("1", "30"), OpenForOutput(2, at("new.txt"));
    ::signal(SIGXFSZ, SIG_IGN), ::setrlimit(RLIMIT_FSIZE, &full);
    seen = Outcome([] { return WriteRecord(2, {123456}), ""; });
    seen += Outcome([] { return Close(2), ""; });
    ui.Click();
    ::setrlimit(RLIMIT_FSIZE, &limit);
    seen += test::ReadBytes(folder / "new.txt") + std::to_string(FreeFile());
    EXPECT_EQ(seen + std::to_string(ui.timer.Running), "error 70error 7011");
#endif
}

}  // namespace
}  // namespace kelvora::core
