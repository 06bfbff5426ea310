#!/usr/bin/env bash
# Kelvora.exe runs on a bare Windows: it may import only DLLs that every
# Windows installation has, and no MinGW runtime DLL.
#
#   check-imports.sh OBJDUMP Kelvora.exe
set -euo pipefail
objdump="$1"
exe="$2"
allowed='^(kernel32|user32|gdi32|comctl32|ole32|oleaut32|windowscodecs|imm32|winmm|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+|shell32|advapi32|version)\.dll$'

mapfile -t dlls < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
if [ "${#dlls[@]}" -eq 0 ]; then
    echo "no imports read from $exe"
    exit 1
fi
status=0
for dll in "${dlls[@]}"; do
    lower="$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')"
    if [[ "$lower" =~ $allowed ]]; then
        echo "system DLL: $dll"
    else
        echo "NOT a system DLL: $dll"
        status=1
    fi
done
exit "$status"
