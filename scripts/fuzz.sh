#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz, the fuzz preset) and runs each one
# over its committed seeds in tests/fuzz/corpus/<target>.
#
#   scripts/fuzz.sh short            the test command's bounded run: 20 s per
#                                    target (KELVORA_FUZZ_SECONDS overrides)
#   scripts/fuzz.sh long [seconds]   a longer run of each target, 1800 s each
#                                    unless given; for the nights before a release
#   scripts/fuzz.sh coverage         the line coverage of the core and platform
#                                    sources reached by the inputs kept so far
#
# Inputs that reach new code are kept in build/fuzz/corpus/<target>; copy the
# small interesting ones into tests/fuzz/corpus/<target> to keep them. Any
# crash, leak, timeout (10 s for one input), use of more than 2 GB or sanitizer
# report stops that target, its input is saved under build/fuzz/findings/<target>/,
# and the script exits non-zero after the other targets have run. To replay an
# input: build/fuzz/tests/fuzz/fuzz_<target> <file>
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-short}"
case "$mode" in
    short) seconds="${KELVORA_FUZZ_SECONDS:-20}" ;;
    long) seconds="${2:-1800}" ;;
    coverage) ;;
    *) echo "usage: $0 short | long [seconds] | coverage" >&2; exit 2 ;;
esac

targets=(setting_file profile numbers)
jobs="${KELVORA_JOBS:-2}"

# The targets write their files here: in memory where the system allows,
# and removed afterwards even when a target crashed.
scratch="$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/kelvora-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

if [ "$mode" = coverage ]; then
    # The same targets built with clang's source coverage instead of the
    # fuzzer's, run once over every input, then reported per source file.
    build=build/fuzz-coverage
    flags="-fprofile-instr-generate -fcoverage-mapping"
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DKELVORA_QT=OFF -DKELVORA_FUZZ=ON -DBUILD_TESTING=OFF \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
    cmake --build "$build" -j "$jobs"
    rm -f "$build"/*.profraw
    objects=()
    for target in "${targets[@]}"; do
        mkdir -p "build/fuzz/corpus/$target"
        LLVM_PROFILE_FILE="$build/$target.profraw" "$build/tests/fuzz/fuzz_$target" -runs=0 \
            "build/fuzz/corpus/$target" "tests/fuzz/corpus/$target" >/dev/null 2>&1
        objects+=(-object "$build/tests/fuzz/fuzz_$target")
    done
    llvm-profdata merge -sparse "$build"/*.profraw -o "$build/fuzz.profdata"
    llvm-cov report "${objects[@]:1}" -instr-profile="$build/fuzz.profdata" \
        src/core src/platform/posix/PrivateProfile.cpp src/platform/posix/ProfileText.cpp \
        src/platform/posix/FileText.cpp src/platform/posix/AtomicReplace.cpp
    exit 0
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
summary=()
for target in "${targets[@]}"; do
    binary="build/fuzz/tests/fuzz/fuzz_$target"
    corpus="build/fuzz/corpus/$target"
    findings="build/fuzz/findings/$target"
    log="build/fuzz/fuzz_$target.log"
    mkdir -p "$corpus" "$findings"
    echo "fuzz_$target: $seconds s"
    # New inputs go to the first folder; the committed seeds are only read.
    if "$binary" "$corpus" "tests/fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1; then
        status=passed
    else
        status=FAILED
        failed+=("$target")
        grep -E "property failed|ERROR:|SUMMARY:|runtime error|Test unit written" "$log" >&2 || true
        echo "full log: $log" >&2
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
    units=$(find "$corpus" -type f | wc -l)
    summary+=("$(printf '%-14s %-7s %10s runs   %-22s %6s inputs kept' \
        "$target" "$status" "${runs:-?}" "${coverage:-cov: ?}" "$units")")
done

printf '\n%s\n' "Fuzzing, $seconds s per target:"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
