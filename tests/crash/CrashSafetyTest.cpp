// Kills a program that is saving the setting file and the profile file, at
// random moments, a few hundred times. Each file must then hold one of the
// contents whole saves leave: never an empty, cut or mixed file.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "../core/TempFolder.h"
#include "SaveLoopContents.h"

namespace kelvora::crash {
namespace {

constexpr int kKills = 300;

// Starts save_loop on `folder` and returns once it says that both files exist.
pid_t StartSaveLoop(const std::string& folder) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        ::execl(KELVORA_SAVE_LOOP, KELVORA_SAVE_LOOP, folder.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    char said[16] = {};
    std::size_t got = 0;
    while (got < 6) {
        const ssize_t n = ::read(pipeEnds[0], said + got, sizeof said - 1 - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(pipeEnds[0]);
    return std::string(said).rfind("ready", 0) == 0 ? child : -child;
}

TEST(CrashSafety, AKilledSaveLeavesTheOldOrTheNewFileNeverAMixture) {
    test::TempFolder folder;
    const auto data = folder.path() / "Data";
    const std::set<std::string> settings = {kContents[0].settingFile, kContents[1].settingFile};
    const std::vector<std::string> possible = PossibleProfiles();
    const std::set<std::string> profiles(possible.begin(), possible.end());

    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20'000);
    std::set<std::string> settingsSeen;
    std::set<std::string> profilesSeen;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = StartSaveLoop(folder.str());
        ASSERT_GT(child, 0) << "save_loop did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "save_loop ended on its own, status " << status;

        const std::string setting = test::ReadBytes(data / "TimerSet.txt");
        const std::string profile = test::ReadBytes(data / "Kelvora.ini");
        ASSERT_EQ(settings.count(setting), 1u) << "after kill " << kill << ": [" << setting << "]";
        ASSERT_EQ(profiles.count(profile), 1u) << "after kill " << kill << ": [" << profile << "]";
        settingsSeen.insert(setting);
        profilesSeen.insert(profile);
    }
    // The kills came at different points of the loop, not always at one place.
    EXPECT_EQ(settingsSeen.size(), 2u);
    EXPECT_GE(profilesSeen.size(), 4u);

    // What a kill between writing and renaming leaves: a temporary file that
    // nothing reads. Counted so that a change here is seen.
    const auto entries = std::distance(std::filesystem::directory_iterator(data), {});
    std::printf("%d kills, %zu profile states seen, %td leftover temporary files\n", kKills,
                profilesSeen.size(), entries - 2);
}

}  // namespace
}  // namespace kelvora::crash
