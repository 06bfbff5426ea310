#!/usr/bin/env bash
# Prepares the Wine prefix once: Wine's first start in a fresh prefix takes
# seconds, which every test would otherwise pay.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
mkdir -p "$WINEPREFIX"
wineboot --init >/dev/null 2>&1 || true
wineserver --wait || true
