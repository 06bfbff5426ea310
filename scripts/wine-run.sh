#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly.
# The prefix is made once (scripts/wine-prefix.sh) and reused by every test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
[ -f "$WINEPREFIX/system.reg" ] || "$here/wine-prefix.sh"
exec wine "$@"
