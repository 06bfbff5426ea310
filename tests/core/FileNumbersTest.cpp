#include <gtest/gtest.h>

#include "TempFolder.h"
#include "core/FileNumbers.h"
#include "core/FileSystem.h"
#include "core/RuntimeError.h"

namespace kelvora::core {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

int ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

TEST(LineInput, EndsAtCrCrLfOrLfAndRaisesPastTheEnd) {
    TempFolder folder;
    const auto file = folder.path() / "lines.txt";
    WriteBytes(file, "one\r\ntwo\rthree\nfour");
    const int n = FreeFile();
    OpenForInput(n, FromPath(file));
    EXPECT_EQ(LineInput(n), "one");
    EXPECT_EQ(LineInput(n), "two");
    EXPECT_EQ(LineInput(n), "three");
    EXPECT_EQ(LineInput(n), "four");
    EXPECT_EQ(ErrorOf([&] { LineInput(n); }), kInputPastEndOfFile);
    Close(n);
    EXPECT_FALSE(IsOpen(n));
}

TEST(LineInput, EmptyFileHasNoLineButAnEmptyLineIsOne) {
    TempFolder folder;
    WriteBytes(folder.path() / "empty.txt", "");
    WriteBytes(folder.path() / "blank.txt", "\r\n5,30\r\n");
    const int n = FreeFile();
    OpenForInput(n, FromPath(folder.path() / "empty.txt"));
    EXPECT_EQ(ErrorOf([&] { LineInput(n); }), kInputPastEndOfFile);
    Close(n);
    OpenForInput(n, FromPath(folder.path() / "blank.txt"));
    EXPECT_EQ(LineInput(n), "");
    Close(n);
}

TEST(OpenForInput, NamesWhatIsWrongWithThePath) {
    TempFolder folder;
    const int n = FreeFile();
    EXPECT_EQ(ErrorOf([&] { OpenForInput(n, FromPath(folder.path() / "missing.txt")); }),
              kFileNotFound);
    EXPECT_EQ(ErrorOf([&] { OpenForInput(n, FromPath(folder.path() / "no" / "file.txt")); }),
              kPathNotFound);
    EXPECT_EQ(ErrorOf([&] { OpenForInput(n, folder.str()); }), kPathFileAccessError);
    EXPECT_FALSE(IsOpen(n));
}

TEST(FileNumbers, AreHandedOutLowestFirstAndNotTwice) {
    TempFolder folder;
    WriteBytes(folder.path() / "a.txt", "a");
    const int first = FreeFile();
    OpenForInput(first, FromPath(folder.path() / "a.txt"));
    const int second = FreeFile();
    EXPECT_NE(first, second);
    EXPECT_EQ(ErrorOf([&] { OpenForInput(first, FromPath(folder.path() / "a.txt")); }),
              kFileAlreadyOpen);
    Close(first);
    EXPECT_EQ(FreeFile(), first);
    EXPECT_NO_THROW(Close(first));  // closing twice is harmless
}

TEST(WriteRecord, WritesPlainDecimalsWithCommasAndCrLf) {
    TempFolder folder;
    const auto file = folder.path() / "TimerSet.txt";
    const int n = FreeFile();
    OpenForOutput(n, FromPath(file));
    WriteRecord(n, {5, 30});
    Close(n);
    EXPECT_EQ(ReadBytes(file), "5,30\r\n");
    OpenForOutput(n, FromPath(file));
    WriteRecord(n, {-1, 100});
    Close(n);
    EXPECT_EQ(ReadBytes(file), "-1,100\r\n");
}

TEST(OpenForOutput, OldContentsStayUntilTheNewAreComplete) {
    TempFolder folder;
    const auto file = folder.path() / "TimerSet.txt";
    WriteBytes(file, "5,30\r\n");
    const int n = FreeFile();
    OpenForOutput(n, FromPath(file));
    WriteRecord(n, {7, 8});
    // Not yet closed: a crash now must leave the old setting, not an empty file.
    EXPECT_EQ(ReadBytes(file), "5,30\r\n");
    Close(n);
    EXPECT_EQ(ReadBytes(file), "7,8\r\n");
    // No temporary file is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(OpenForOutput, NamesWhatIsWrongWithThePath) {
    TempFolder folder;
    const int n = FreeFile();
    EXPECT_EQ(ErrorOf([&] { OpenForOutput(n, FromPath(folder.path() / "no" / "file.txt")); }),
              kPathNotFound);
    EXPECT_EQ(ErrorOf([&] { OpenForOutput(n, folder.str()); }), kPathFileAccessError);
    WriteBytes(folder.path() / "Data", "a plain file where a folder belongs");
    EXPECT_EQ(ErrorOf([&] { OpenForOutput(n, FromPath(folder.path() / "Data" / "x.txt")); }),
              kPathNotFound);
    EXPECT_FALSE(IsOpen(n));
}

TEST(FileSystem, DirFindsFilesAndFoldersOnlyWhenAsked) {
    TempFolder folder;
    WriteBytes(folder.path() / "file.txt", "x");
    std::filesystem::create_directory(folder.path() / "sub");
    EXPECT_EQ(Dir(FromPath(folder.path() / "file.txt")), "file.txt");
    EXPECT_EQ(Dir(FromPath(folder.path() / "file.txt"), kAttributeDirectory), "file.txt");
    EXPECT_EQ(Dir(FromPath(folder.path() / "sub")), "");
    EXPECT_EQ(Dir(FromPath(folder.path() / "sub"), kAttributeDirectory), "sub");
    EXPECT_EQ(Dir(FromPath(folder.path() / "missing")), "");
    EXPECT_EQ(Dir(FromPath(folder.path() / "file.txt" / "below")), "");
}

TEST(FileSystem, MkDirCreatesOneFolderAndRaisesWhenItCannot) {
    TempFolder folder;
    // A UTF-8 literal: a plain one names an ANSI path on Windows.
    const std::string made = FromPath(folder.path() / u8"データ");
    MkDir(made);
    EXPECT_EQ(Dir(made, kAttributeDirectory), "データ");
    EXPECT_EQ(ErrorOf([&] { MkDir(FromPath(folder.path() / "a" / "b")); }), kPathNotFound);
    EXPECT_EQ(ErrorOf([&] { MkDir(made); }), kPathFileAccessError);
}

}  // namespace
}  // namespace kelvora::core
