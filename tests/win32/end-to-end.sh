#!/usr/bin/env bash
# Kelvora.exe as a user runs it, on an X display of its own (run it through
# with-display.sh): copies of the portable folder started under Wine, a
# countdown typed in and started, and what the folder holds afterwards. One
# run counts down to the alarm, which closes the window; one starts with
# Escape from a folder named outside the ANSI code page that has no data
# folder yet; one starts with Space on the button and is ended by a logoff
# while counting. The runs with data open on a profile edited by hand to lie
# off every screen, the last one at the ends of the 32-bit range.
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

# run_case NAME DATA LEFT TOP RIGHT BOTTOM KEYS... : DATA is with-data or
# without-data; the window is closed by the alarm unless a key is "logoff".
run_case() {
    case_name="$1"
    local folder="$work/$1" data="$2" window="" program geometry
    local profile="$folder/Data/Kelvora.ini" setting="$folder/Data/TimerSet.txt"
    shift 2
    mkdir -p "$folder"
    cp "$portable/Kelvora.exe" "$folder/"
    if [ "$data" = with-data ]; then
        mkdir "$folder/Data"
        cp "$portable"/Data/{notify.wav,button_go.gif,button_stop.gif} "$folder/Data/"
        printf '[WinPos]\r\nLeft=%s\r\nTop=%s\r\nRight=%s\r\nBottom=%s\r\nshowCmd=1\r\n' \
            "$1" "$2" "$3" "$4" >"$profile"
    fi
    shift 4
    "$root/scripts/wine-run.sh" "$folder/Kelvora.exe" >"$work/$case_name.log" 2>&1 &
    program=$!
    for _ in $(seq 300); do
        window="$(xdotool search --onlyvisible --name '^  Kelvora$' 2>/dev/null | head -n 1)" || true
        [ -z "$window" ] || break
        sleep 0.1
    done
    [ -n "$window" ] || { fail "no window appeared"; kill "$program" || true; return; }
    # Wholly on the 1280 x 1024 screen, at its own size.
    geometry="$(xdotool getwindowgeometry --shell "$window" | tr '\n' ' ')"
    eval "$geometry"
    ((X >= 0 && Y >= 0 && X + WIDTH <= 1280 && Y + HEIGHT <= 1024 && WIDTH < 200)) ||
        fail "window not wholly on screen: $geometry"
    # No window manager runs: the keyboard goes where the focus is set.
    for _ in $(seq 20); do
        xdotool windowfocus --sync "$window" 2>/dev/null && break
        sleep 0.2
    done
    sleep 0.5
    # The minutes field has the focus with its text selected.
    for key in "$@"; do
        if [ "$key" = logoff ]; then
            sleep 1
            env LC_ALL=ja_JP.UTF-8 wineboot --end-session
        else
            xdotool key --delay 80 "$key"
        fi
    done
    for _ in $(seq 300); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        fail "still running 30 s after a 2 s countdown"
        kill "$program" || true
        return
    fi
    wait "$program" || fail "exit status $?"

    [ -f "$setting" ] && [ -f "$profile" ] || { fail "no $setting or $profile"; return; }
    [ "$(tr -d '\r\n' <"$setting")" = "$expected_setting" ] ||
        fail "setting file holds $(od -An -c "$setting")"
    # The placement saved at the end is the one on screen.
    for key in Left=$X Top=$Y Right=$((X + WIDTH)) Bottom=$((Y + HEIGHT)) showCmd=1; do
        grep -q "^$key"$'\r'"\?$" "$profile" || fail "no $key in $(tr '\r\n' '  ' <"$profile")"
    done
    echo "ok [$case_name]: $(tr -d '\r' <"$setting"), $(tr -d '\r' <"$profile" | tr '\n' ' ')"
}

expected_setting=0,2
run_case "Kelvora" with-data 5000 4000 5110 4040 0 Tab 2 Return
run_case "Café ⏰ 😀" without-data 0 0 0 0 0 Tab 2 Escape
expected_setting=0,30
run_case "logoff" with-data 2147483000 -2147483648 2147483647 -2147483600 0 Tab 3 0 Tab space logoff
[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "end to end: 3 runs passed"
