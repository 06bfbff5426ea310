#pragma once
// What the fuzz targets share: a folder of the process's own (in TMPDIR, which
// scripts/fuzz.sh points at a scratch folder it removes), and a check that
// stops the run, so that libFuzzer keeps the input, when a property fails.

#include <cstdio>
#include <cstdlib>

#include "../core/Fakes.h"
#include "core/App.h"

namespace kelvora::fuzz {

// The executable's folder, with its data folder and the button's pictures.
inline const std::filesystem::path& AppFolder() {
    static const test::TempFolder folder;
    static const bool made = [] {
        std::filesystem::create_directories(folder / "Data");
        test::WriteBytes(folder / "Data" / "button_go.gif", "GIF89a go");
        test::WriteBytes(folder / "Data" / "button_stop.gif", "GIF89a stop");
        core::App().Path = test::Utf8(folder.Path());
        core::App().EXEName = "Kelvora";
        return true;
    }();
    return folder.Path();
}

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

}  // namespace kelvora::fuzz
