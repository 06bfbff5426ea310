#pragma once
// What the fuzz targets share: the executable's folder with its data folder
// (in TMPDIR, which scripts/fuzz.sh points at a scratch folder it removes),
// and a check that stops the run, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

#include "../core/Fakes.h"
#include "core/App.h"

namespace kelvora::fuzz {

inline std::filesystem::path DataFolder() {
    static const test::TempFolder folder;
    core::App().Path = test::Utf8(folder.Path());
    core::App().EXEName = "Kelvora";
    std::filesystem::create_directory(folder / "Data");
    return folder / "Data";
}

inline void Require(bool holds, const char* what) {
    if (!holds) std::fprintf(stderr, "property failed: %s\n", what), std::abort();
}

}  // namespace kelvora::fuzz
