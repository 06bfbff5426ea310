#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly.
# The prefix is made once (scripts/wine-prefix.sh) and reused by every test.
# Wine plays a Japanese Windows, the system Kelvora is made for: the ANSI code
# page is 932 (Shift-JIS) and the user's language 0x0411.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
locale="${KELVORA_WINE_LOCALE:-ja_JP.UTF-8}"
[ -f "$WINEPREFIX/system.reg" ] || "$here/wine-prefix.sh"
exec env LC_ALL="$locale" wine "$@"
