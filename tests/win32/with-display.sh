#!/usr/bin/env bash
# Runs a Windows program under Wine on an X display of its own (Xvfb): Wine
# needs one to create windows. Afterwards whatever Wine still runs for that
# display is ended, so that the next run starts on its own display.
#
#   with-display.sh [--dpi N] COMMAND...
#
# --dpi N runs in a copy of the project's Wine prefix whose screen has N dots
# per inch, as a monitor at 150 % (144) or 200 % (192) has, and whose active
# caption text is black, as on Windows 10 and 11.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$root/scripts/wine-prefix.sh"

if [ "${1:-}" = "--dpi" ]; then
    base="$WINEPREFIX" dpi="$2" && shift 2
    export WINEPREFIX="$base-${dpi}dpi"
    if [ ! -f "$WINEPREFIX/.settings-$dpi" ] || [ "$base/system.reg" -nt "$WINEPREFIX/.settings-$dpi" ]; then
        # Hard links: the prefix is large and its files are only read. The
        # registry files are rewritten, so they get copies of their own.
        rm -rf "$WINEPREFIX" && cp -al "$base" "$WINEPREFIX"
        for hive in "$base"/*.reg; do cp --remove-destination "$hive" "$WINEPREFIX/"; done
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f &>/dev/null
        wine reg add 'HKCU\Control Panel\Colors' /v TitleText /d '0 0 0' /f &>/dev/null
        wineserver -w && touch "$WINEPREFIX/.settings-$dpi"
    fi
fi

# A Wine server still running from a program without a display (the core
# tests) would hand this run a desktop that cannot show windows.
{ wineserver -k && wineserver -w; } 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
