#!/usr/bin/env bash
# Kelvora.exe as a user runs it, on an X display of its own (run it through
# with-display.sh): a copy of the portable folder started under Wine; 0
# minutes and 3 seconds typed, Enter pressed; the program counts down, sounds
# the alarm and closes itself, leaving the setting file and the profile file
# in its data folder. Run from a plain folder, and from one whose name holds
# characters outside the ANSI code page without a data folder, which the
# first start makes.
#
#   with-display.sh end-to-end.sh PORTABLE_FOLDER
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
portable="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL [$case_name]: $*"
    failures=$((failures + 1))
}

run_case() {
    case_name="$1"
    local folder="$work/$1" window="" program
    mkdir -p "$folder"
    cp "$portable/Kelvora.exe" "$folder/"
    if [ "$2" = with-data ]; then
        mkdir "$folder/Data"
        cp "$portable"/Data/{notify.wav,button_go.gif,button_stop.gif} "$folder/Data/"
    fi
    "$root/scripts/wine-run.sh" "$folder/Kelvora.exe" >"$work/$1.log" 2>&1 &
    program=$!
    # Wine makes the X window when the program creates it, and maps it later.
    for _ in $(seq 300); do
        window="$(xdotool search --onlyvisible --name 'Kelvora' 2>/dev/null | head -n 1)" || true
        [ -z "$window" ] || break
        sleep 0.1
    done
    [ -n "$window" ] || { fail "no window appeared"; kill "$program" || true; return; }
    # No window manager runs: the keyboard goes where the focus is set.
    for _ in $(seq 20); do
        xdotool windowfocus --sync "$window" 2>/dev/null && break
        sleep 0.2
    done
    sleep 0.5
    # The minutes field has the focus with its text selected.
    xdotool type --delay 80 "0"
    xdotool key --delay 80 Tab
    xdotool type --delay 80 "3"
    xdotool key Return
    for _ in $(seq 300); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        fail "still running 30 s after a 3 s countdown"
        kill "$program" || true
        return
    fi
    wait "$program" || fail "exit status $?"

    local setting="$folder/Data/TimerSet.txt" profile="$folder/Data/Kelvora.ini"
    [ -f "$setting" ] && [ -f "$profile" ] || { fail "no $setting or $profile"; return; }
    [ "$(od -An -c "$setting" | tr -s ' ')" = " 0 , 3 \r \n" ] ||
        fail "setting file holds $(od -An -c "$setting")"
    grep -q '^\[WinPos\]' "$profile" || fail "no [WinPos] section"
    for key in Left Right Top Bottom showCmd; do
        grep -Eq "^$key=-?[0-9]+"$'\r'"?$" "$profile" || fail "no number for $key in $profile"
    done
    grep -Eq "^showCmd=1"$'\r'"?$" "$profile" || fail "the window was not closed in its normal state"
    echo "ok [$1]: $(tr -d '\r' <"$setting"), $(tr -d '\r' <"$profile" | tr '\n' ' ')"
}

run_case "Kelvora" with-data
run_case "Café ⏰ 😀" without-data
[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "end to end: 2 runs passed"
