#!/usr/bin/env bash
# Prepares the Wine prefix once: Wine's first start in a fresh prefix takes
# seconds, which every test would otherwise pay.
#
# Wine takes the Windows locale from the Unix one, and reads file names in the
# Unix locale's character set: a Japanese Windows that can open a folder named
# タイマー needs the ja_JP.UTF-8 locale, which is made here when it is missing.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

if ! locale -a 2>/dev/null | grep -qix "$(echo "$locale" | sed 's/UTF-8/utf8/I')"; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i "${locale%%.*}" -c -f UTF-8 "$locale"
fi

mkdir -p "$WINEPREFIX"
env LC_ALL="$locale" wineboot --init >/dev/null 2>&1 || true
wineserver --wait || true
