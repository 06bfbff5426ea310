#!/usr/bin/env bash
# Kelvora.exe runs on a bare Windows: it may import only DLLs that every
# Windows installation has, and no MinGW runtime DLL.
#
#   check-imports.sh OBJDUMP Kelvora.exe
set -euo pipefail
allowed='^(kernel32|user32|gdi32|comctl32|ole32|oleaut32|windowscodecs|imm32|winmm|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+|shell32|advapi32|version)\.dll$'
dlls="$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]')"
[ -n "$dlls" ] || { echo "no imports read from $2"; exit 1; }
echo "$dlls"
others="$(grep -Ev "$allowed" <<<"$dlls" || true)"
[ -z "$others" ] || { echo "NOT system DLLs: $others"; exit 1; }
