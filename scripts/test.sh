#!/usr/bin/env bash
# Builds everything and runs every test: the Linux build, the Windows build
# under Wine, the sanitizer build and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs="${KELVORA_JOBS:-2}"
step() { printf '\n==== %s\n' "$*"; }

step "Linux build and tests"
cmake --preset linux
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs"

step "Core and platform tests under a comma-decimal locale"
LC_ALL=de_DE.UTF-8 ctest --preset linux -j "$jobs" -R '^(core|platform)_tests$'

step "Windows build and tests under Wine"
cmake --preset windows
cmake --build --preset windows -j "$jobs"
scripts/wine-prefix.sh
ctest --preset windows

step "Core and platform under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

if [ -x scripts/fuzz.sh ]; then
    step "Fuzzing, a short bounded run of each target"
    scripts/fuzz.sh short
fi
step "All tests passed"
