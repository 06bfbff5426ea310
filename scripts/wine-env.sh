# Sourced by the Wine scripts: the project's own prefix, quiet, without the
# .NET and HTML engines, and the Unix locale Wine derives a Japanese Windows
# from (ANSI code page 932, user language 0x0411).
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
locale="${KELVORA_WINE_LOCALE:-ja_JP.UTF-8}"
