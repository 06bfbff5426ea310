#!/usr/bin/env bash
# Kelvora.exe as a user runs it, on an X display of its own (run it through
# with-display.sh): a copy of the portable folder started under Wine, a
# countdown typed in and started, and what the data folder holds afterwards.
# The first run counts down to the alarm, which closes the window, from a
# profile edited by hand to lie off every screen at another size, and the
# program is held for 3 s on the way, yet sounds the alarm on time; the second
# starts with Escape in a folder named outside the ANSI code page, with no
# data folder yet; the third starts with Space on the button, from a profile
# of another size on the screen saved minimized, and a logoff ends it while
# counting; the fourth opens on a profile at the ends of the 32-bit range
# saved maximized, from a shortcut set to run minimized. Each time the
# window must lie wholly on the 1280 x 1024 screen at its own size, without
# the common controls loaded while the pointer is away, and the profile must
# hold where it was at the end.
#
#   with-display.sh end-to-end.sh PORTABLE_FOLDER
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
portable="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
# The pointer rests where no window of these runs opens.
xdotool mousemove 640 1000
fail() { echo "FAIL [$name]: $*" && failures=$((failures + 1)); }

# run NAME SETTING "LEFT TOP RIGHT BOTTOM SHOWCMD" KEYS...; no profile: no
# data folder. With `minimized` set, started as a minimized shortcut starts it.
run() {
    name="$1" folder="$work/$1" window=""
    mkdir -p "$folder/Data" && cp "$portable/Kelvora.exe" "$folder/"
    if [ -n "$3" ]; then
        cp "$portable"/Data/{notify.wav,button_go.gif,button_stop.gif} "$folder/Data/"
        printf '[WinPos]\r\nLeft=%s\r\nTop=%s\r\nRight=%s\r\nBottom=%s\r\nshowCmd=%s\r\n' $3 >"$folder/Data/Kelvora.ini"
    else rmdir "$folder/Data"; fi
    "$root/scripts/wine-run.sh" ${minimized:+start /wait /min /unix} "$folder/Kelvora.exe" &>"$work/$name.log" &
    local program=$! setting="$2" saved="$3" alarm=1 && shift 3
    for _ in $(seq 300); do
        window="$(xdotool search --onlyvisible --name '^  Kelvora$' | head -n 1)" && break
        sleep 0.1
    done
    [ -n "$window" ] || { fail "no window"; kill $program || true; return; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    ((X >= 0 && Y >= 0 && X + WIDTH <= 1280 && Y + HEIGHT <= 1024 && WIDTH < 200)) ||
        fail "not wholly on screen: $X,$Y ${WIDTH}x$HEIGHT"
    [[ "$saved" != "200 150 900 700"* ]] || ((X == 200 && Y == 150)) || fail "not at 200,150"
    # With the pointer elsewhere, the common controls for the tips stay unloaded.
    ! grep -qs comctl32 $(pgrep -f 'Kelvora\.exe' | sed 's|.*|/proc/&/maps|') ||
        fail "common controls loaded before the pointer came"
    # No window manager runs: the keys go where the focus is set.
    timeout 5 sh -c "until xdotool windowfocus --sync $window; do sleep 0.2; done" && sleep 0.5
    for key in "$@"; do
        if [ "$key" = logoff ]; then sleep 1 && wineboot --end-session && alarm=""
        elif [ "$key" = stall ]; then sleep 1 && pkill -STOP -f Kelvora.exe && sleep 3 && pkill -CONT -f Kelvora.exe
        else xdotool key "$key"; fi
    done
    timeout 30 tail --pid=$program -f /dev/null || { fail "still running"; kill $program || true; }
    wait $program || fail "exit status $?"
    [ "$(tr -d '\r\n' <"$folder/Data/TimerSet.txt")" = "$setting" ] || fail "setting not $setting"
    # From the start's save to the close's, stalled or not.
    late=$(($(stat -c %.3Y "$folder/Data/Kelvora.ini" | tr -d .) - $(stat -c %.3Y \
        "$folder/Data/TimerSet.txt" | tr -d .) - ${setting#*,} * 1000))
    [ -z "$alarm" ] || ((late > -50 && late < 500)) || fail "the alarm came $late ms late"
    for key in Left=$X Top=$Y Right=$((X + WIDTH)) Bottom=$((Y + HEIGHT)) showCmd=1; do
        grep -q "^$key"$'\r'"\?$" "$folder/Data/Kelvora.ini" || fail "no $key in the profile"
    done
}

run Kelvora 0,5 "5000 4000 5110 4040 1" 0 Tab 5 Return stall
run "Café ⏰ 😀" 0,2 "" 0 Tab 2 Escape
run logoff 0,30 "200 150 900 700 2" 0 Tab 3 0 Tab space logoff
minimized=1 run ends 0,2 "2147483000 -2147483648 2147483647 -2147483600 3" 0 Tab 2 Return
[ "$failures" -eq 0 ] && echo "end to end: 4 runs passed"
