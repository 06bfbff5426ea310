#!/usr/bin/env bash
# Kelvora.exe as a user runs it: a copy of the portable folder, started under
# Wine on an X display of its own; 0 minutes and 3 seconds typed, Enter
# pressed; the program counts down, sounds the alarm and closes itself,
# leaving the setting file and the profile file in its data folder. Run from
# folders whose names hold Japanese characters and characters outside the
# ANSI code page, and once without a data folder, which the first start makes.
#
#   end-to-end.sh PORTABLE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
portable="$(cd "$1" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"

if [ -z "${KELVORA_E2E_DISPLAY:-}" ]; then
    [ -f "$WINEPREFIX/system.reg" ] || "$root/scripts/wine-prefix.sh"
    # A Wine server left by a program without a display would hand this run
    # a desktop that cannot show windows.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    status=0
    KELVORA_E2E_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@" ||
        status=$?
    wineserver -k 2>/dev/null || true
    exit "$status"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL [$case_name]: $*"
    failures=$((failures + 1))
}

# The first window named Kelvora that is on the screen, within 30 seconds.
# (Wine makes the X window when the program creates it, and maps it later.)
wait_for_window() {
    for _ in $(seq 300); do
        if window="$(xdotool search --onlyvisible --name 'Kelvora' 2>/dev/null | head -n 1)" && [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Whether process $1 ends within $2 seconds.
wait_for_exit() {
    for _ in $(seq $(($2 * 10))); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

run_case() {
    case_name="$1"
    local with_data="$2"
    local folder="$work/$case_name"
    mkdir -p "$folder"
    cp "$portable/Kelvora.exe" "$folder/"
    if [ "$with_data" = yes ]; then
        mkdir "$folder/Data"
        cp "$portable/Data/notify.wav" "$portable/Data/button_go.gif" \
            "$portable/Data/button_stop.gif" "$folder/Data/"
    fi

    "$root/scripts/wine-run.sh" "$folder/Kelvora.exe" >"$work/$case_name.log" 2>&1 &
    local program=$!
    local window
    if ! window="$(wait_for_window)"; then
        fail "no window appeared"
        kill "$program" 2>/dev/null || true
        return
    fi
    # No window manager runs: the keyboard goes where the focus is set.
    local focused=no
    for _ in $(seq 20); do
        if xdotool windowfocus --sync "$window" 2>/dev/null; then
            focused=yes
            break
        fi
        sleep 0.2
    done
    [ "$focused" = yes ] || fail "the window never took the keyboard focus"
    sleep 0.5
    # The minutes field has the focus with its text selected.
    xdotool type --delay 80 "0"
    xdotool key --delay 80 Tab
    xdotool type --delay 80 "3"
    xdotool key Return

    if ! wait_for_exit "$program" 30; then
        fail "still running 30 s after a 3 s countdown"
        kill "$program" 2>/dev/null || true
        return
    fi
    wait "$program" || fail "exit status $?"

    local setting="$folder/Data/TimerSet.txt"
    local profile="$folder/Data/Kelvora.ini"
    [ -f "$setting" ] || { fail "no $setting"; return; }
    [ "$(od -An -c "$setting" | tr -s ' ')" = " 0 , 3 \r \n" ] ||
        fail "setting file holds $(od -An -c "$setting")"
    [ -f "$profile" ] || { fail "no $profile"; return; }
    grep -q '^\[WinPos\]' "$profile" || fail "no [WinPos] section"
    for key in Left Right Top Bottom showCmd; do
        grep -Eq "^$key=-?[0-9]+"$'\r'"?$" "$profile" || fail "no number for $key in $profile"
    done
    grep -Eq "^showCmd=1"$'\r'"?$" "$profile" || fail "the window was not closed in its normal state"
    echo "ok [$case_name]: $(tr -d '\r' <"$setting"), $(tr -d '\r' <"$profile" | tr '\n' ' ')"
}

run_case "Kelvora" yes
run_case "タイマー" yes
run_case "Café ⏰ 😀" no

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "end to end: 3 runs passed"
