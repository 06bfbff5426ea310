#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Executable.h"

namespace kelvora::platform::test {
namespace {

TEST(Executable, NamesTheRunningTestProgram) { EXPECT_EQ(ExecutableBaseName(), "platform_tests"); }

TEST(Executable, FolderHoldsTheRunningProgram) {
    const std::filesystem::path folder = ExecutableFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_NE(folder.string().back(), std::filesystem::path::preferred_separator);
#ifdef _WIN32
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "platform_tests.exe"));
#else
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "platform_tests"));
#endif
}

}  // namespace
}  // namespace kelvora::platform::test
