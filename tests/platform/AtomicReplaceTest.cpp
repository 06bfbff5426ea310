#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/AtomicReplace.h"

namespace kelvora::platform::test {
namespace {

TEST(AtomicReplace, TemporaryLiesBesideTheTargetUnderAFreshName) {
    const TempFolder folder;
    const auto target = folder / "TimerSet.txt";
    const auto first = TemporarySibling(target);
    const auto second = TemporarySibling(target);
    EXPECT_EQ(first.parent_path(), target.parent_path());
    EXPECT_NE(first, second);
    EXPECT_NE(first, target);
    EXPECT_EQ(first.filename().string().rfind("TimerSet.txt", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(first));
}

TEST(AtomicReplace, CommitCreatesOrReplacesTheTarget) {
    const TempFolder folder;
    const auto target = folder / "TimerSet.txt";
    for (const char* contents : {"1,0\r\n", "10,30\r\n"}) {  // missing, then present
        const auto temporary = TemporarySibling(target);
        WriteBytes(temporary, contents);
        EXPECT_TRUE(CommitReplacement(temporary, target));
        EXPECT_EQ(ReadBytes(target), contents);
        EXPECT_FALSE(std::filesystem::exists(temporary));
    }
}

TEST(AtomicReplace, FailedCommitLeavesTheOldContentsAndNoTemporary) {
    const TempFolder folder;
    const auto target = folder / "TimerSet.txt";
    WriteBytes(target, "5,0\r\n");
    EXPECT_FALSE(CommitReplacement(TemporarySibling(target), target));  // never written
    EXPECT_EQ(ReadBytes(target), "5,0\r\n");

    const auto data = folder / "Data";
    std::filesystem::create_directory(data);
    WriteBytes(data / "notify.wav", "RIFF");
    const auto temporary = TemporarySibling(data);
    WriteBytes(temporary, "10,30\r\n");
    EXPECT_FALSE(CommitReplacement(temporary, data));  // a folder is never replaced
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(ReadBytes(data / "notify.wav"), "RIFF");
}

}  // namespace
}  // namespace kelvora::platform::test
