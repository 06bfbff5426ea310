#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly.
# The prefix is made once (scripts/wine-prefix.sh) and reused by every test.
# Wine plays a Japanese Windows, the system Kelvora is made for.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$here/wine-prefix.sh"
exec env LC_ALL="$locale" wine "$@"
