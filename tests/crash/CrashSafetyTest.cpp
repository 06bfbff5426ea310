// Kills a process that is saving the setting file and the profile file, at
// random moments. Each file must then hold what whole saves leave: never an
// empty, cut or mixed line.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "../core/Fakes.h"
#include "core/App.h"
#include "core/ModuleIniFileInOut.h"
#include "core/ModuleWindowPos.h"

namespace kelvora::test {
namespace {

constexpr int kKills = 150;
const char* const kKeys[] = {"Left", "Right", "Top", "Bottom", "showCmd"};
// The two saves, in turn: minutes, seconds, then the placement in the order of kKeys.
const int kSaves[2][7] = {{5, 30, 100, 300, 50, 150, 1}, {12, 34, -8, 90, 40, 97, 2}};
const std::string kSettings[2] = {"5,30\r\n", "12,34\r\n"};  // as the setting file holds them

// Saves both files as a click and a close do, the two saves in turn, and
// tells `ready` once both files exist. Runs until it is killed.
[[noreturn]] void SaveForever(const TempFolder& folder, int ready) {
    core::App().Path = Utf8(folder.Path());
    FakeFrontEnd ui;
    ui.timer.SetFilePaths();
    for (int round = 0;; ++round) {
        const int* save = kSaves[round % 2];
        ui.Type(std::to_string(save[0]), std::to_string(save[1]));
        ui.Click();
        window.placement.rcNormalPosition = {save[2], save[4], save[3], save[5]};
        window.placement.showCmd = static_cast<std::uint32_t>(save[6]);
        core::SaveWindowPos(0);
        if (round == 0 && ::write(ready, "r", 1) == 1) ::close(ready);
    }
}

TEST(CrashSafety, AKilledSaveLeavesTheOldOrTheNewFileNeverAMixture) {
    core::App().EXEName = "Kelvora";
    const TempFolder folder;
    const std::string profile = Utf8(folder / "Data" / "Kelvora.ini");
    std::mt19937 random(20261207);
    for (int kill = 0; kill < kKills; ++kill) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const pid_t child = ::fork();
        if (child == 0) SaveForever(folder, ends[1]);
        ::close(ends[1]);
        char said = 0;
        ASSERT_EQ(::read(ends[0], &said, 1), 1) << "the saving process did not start";
        ::close(ends[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);

        const std::string setting = ReadBytes(folder / "Data" / "TimerSet.txt");
        ASSERT_TRUE(setting == kSettings[0] || setting == kSettings[1]) << setting;
        // The keys are written one at a time: each holds one save's value, whole.
        for (int key = 0; key < 5; ++key) {
            const std::string value = core::ReadIniString(profile, "WinPos", kKeys[key], "none");
            ASSERT_TRUE(value == std::to_string(kSaves[0][key + 2]) ||
                        value == std::to_string(kSaves[1][key + 2]))
                << kKeys[key] << "=" << value;
        }
    }
}

}  // namespace
}  // namespace kelvora::test
