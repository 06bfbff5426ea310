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

TEST(AtomicReplace, CommitPutsTheNewContentsInPlace) {
    const TempFolder folder;
    const auto target = folder / "TimerSet.txt";
    WriteBytes(target, "5,0\r\n");
    const auto temporary = TemporarySibling(target);
    WriteBytes(temporary, "10,30\r\n");

    EXPECT_TRUE(CommitReplacement(temporary, target));
    EXPECT_EQ(ReadBytes(target), "10,30\r\n");
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST(AtomicReplace, CommitCreatesAMissingTarget) {
    const TempFolder folder;
    const auto target = folder / "TimerSet.txt";
    const auto temporary = TemporarySibling(target);
    WriteBytes(temporary, "1,0\r\n");
    EXPECT_TRUE(CommitReplacement(temporary, target));
    EXPECT_EQ(ReadBytes(target), "1,0\r\n");
}

TEST(AtomicReplace, FailedCommitLeavesTheOldContents) {
    const TempFolder folder;
    const auto target = folder / "TimerSet.txt";
    WriteBytes(target, "5,0\r\n");
    EXPECT_FALSE(CommitReplacement(TemporarySibling(target), target));  // never written
    EXPECT_EQ(ReadBytes(target), "5,0\r\n");
}

TEST(AtomicReplace, FailedCommitRemovesTheTemporary) {
    const TempFolder folder;
    const auto target = folder / "Data";
    std::filesystem::create_directory(target);
    WriteBytes(target / "notify.wav", "RIFF");
    const auto temporary = TemporarySibling(target);
    WriteBytes(temporary, "10,30\r\n");

    EXPECT_FALSE(CommitReplacement(temporary, target));  // a folder is never replaced
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(ReadBytes(target / "notify.wav"), "RIFF");
}

}  // namespace
}  // namespace kelvora::platform::test
