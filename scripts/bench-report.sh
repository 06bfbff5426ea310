#!/usr/bin/env bash
# Builds both front ends and the two bare windows, then prints Kelvora's
# figures on Linux (Qt) and on Windows (Kelvora.exe under Wine) side by side,
# from one run on one Xvfb display: start-up, memory, wake-ups, alarm lateness
# for 10 s and 60 s settings, executable sizes. Takes about ten minutes.
#
#   scripts/bench-report.sh [--runs N] [--alarm-runs N] [--long-alarm-runs N]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="${KELVORA_JOBS:-2}"

cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs" --target Kelvora bare_qt_window
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target Kelvora bare_win32_window

# A Wine prefix of the benchmark's own, so that no test run on the shared one
# ends its server halfway: hard links to the shared prefix, whose files are
# only read, and copies of the registry, which Wine rewrites.
scripts/wine-prefix.sh
shared="build/wine-prefix"
bench_prefix="build/wine-prefix-bench"
if [ ! -f "$bench_prefix/system.reg" ] || [ "$shared/system.reg" -nt "$bench_prefix/system.reg" ]; then
    rm -rf "$bench_prefix"
    cp -al "$shared" "$bench_prefix"
    for hive in "$bench_prefix"/*.reg; do
        cp --remove-destination "$shared/$(basename "$hive")" "$hive"
    done
fi
export KELVORA_BENCH_WINEPREFIX="$PWD/$bench_prefix"

exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" python3 bench/report.py "$@"
