// Saves the setting file and the profile file over and over, through the same
// calls the program makes (a click that saves the setting, then the placement
// saved at unload), alternating between two settings and two placements. It
// prints "ready" as soon as both files exist, at once when an earlier run left
// them, and runs until it is killed.
//
//   save_loop <executable folder>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../core/FakeFrontEnd.h"
#include "../core/FakeWindowRoutines.h"
#include "SaveLoopContents.h"
#include "core/App.h"
#include "core/ModuleIniFileInOut.h"
#include "core/ModuleWindowPos.h"

int main(int argc, char** argv) {
    using namespace kelvora;
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop <executable folder>\n");
        return 2;
    }
    core::App().Path = argv[1];
    core::App().EXEName = "Kelvora";
    test::ResetFakeWindow();
    test::FakeFrontEnd ui;
    ui.timer.SetFilePaths();

    const auto ready = [] {
        std::puts("ready");
        std::fflush(stdout);
    };
    const std::filesystem::path data = std::filesystem::path(argv[1]) / "Data";
    const bool filesExist = std::filesystem::exists(data / "TimerSet.txt") &&
                            std::filesystem::exists(data / "Kelvora.ini");
    if (filesExist) ready();

    // A run killed halfway through the placement keys left the first of them
    // new and the rest old; starting with the placement that "Left" already
    // holds finishes that save before the next begins, as a single run would.
    const std::string left = core::ReadIniString(core::GetIniFilePath(), "WinPos", "Left", "");
    const unsigned long first = left == std::to_string(crash::kContents[1].rect.left) ? 1 : 0;

    for (unsigned long round = first;; ++round) {
        const crash::Contents& next = crash::kContents[round % 2];
        ui.Type(next.minutes, next.seconds);
        ui.Click();  // a start or a stop: either one saves the setting
        test::Window().placement.rcNormalPosition = next.rect;
        test::Window().placement.showCmd = next.showCmd;
        test::Window().calls.clear();
        core::SaveWindowPos(ui.form.hWnd());
        if (round == first && !filesExist) ready();
    }
}
