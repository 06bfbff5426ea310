#!/usr/bin/env bash
# Kelvora.exe runs on a bare Windows from any folder: it may import only Known
# DLLs, which the loader takes from the system folder whatever lies beside the
# program, and no MinGW runtime DLL; it narrows the search for every other
# library to the system folder by a routine it looks up by name. It carries
# its version block in Japanese, its icon in six images (16, 32 and 48 pixels
# at 8 and 32 bits), a manifest for per-monitor density and a second one for
# common controls 6. The sound library, the imaging component and the common
# controls are loaded when first used, not at every start, so none may be
# imported.
#
#   check-executable.sh OBJDUMP Kelvora.exe
set -euo pipefail
allowed='^(gdi32|imm32|kernel32|msvcrt|ole32|user32)\.dll$'
headers="$("$1" -p "$2")"
dlls="$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]')"
[ -n "$dlls" ] || { echo "no imports read from $2"; exit 1; }
others="$(grep -Ev "$allowed" <<<"$dlls" || true)"
[ -z "$others" ] || { echo "NOT Known DLLs: $others"; exit 1; }
# The loader takes the libraries behind the imports from the system folder
# too: DependentLoadFlags, bytes 78 and 79 of the load configuration, 0x800.
base="$(sed -n 's/^ImageBase\s*//p' <<<"$headers")"
config="$(sed -n 's/^Entry a \([0-9a-f]*\) .*Load Configuration Directory$/\1/p' <<<"$headers")"
at=$((0x$base + 0x$config + 78))
flags="$("$1" -s --start-address=$at --stop-address=$((at + 2)) "$2" | sed -n 's/^ [0-9a-f]* \([0-9a-f]\{4\}\) .*/\1/p')"
[ "$flags" = 0008 ] || { echo "DependentLoadFlags not 0x800: ${flags:-none}"; exit 1; }
# Resource type 3 (icons) holds six names.
grep -A1 -E '^[0-9a-f]{3}   Entry: ID: 0x000003,' <<<"$headers" | grep -q 'IDs: 6' ||
    { echo "not six icon images"; exit 1; }
texts="$(strings -el "$2"; strings "$2")"
for text in 041104b0 FileVersion 1.00 Kelvora.exe PerMonitorV2 Microsoft.Windows.Common-Controls \
    SetDefaultDllDirectories; do
    grep -qF "$text" <<<"$texts" || { echo "no $text in the resources"; exit 1; }
done
echo "$dlls"
