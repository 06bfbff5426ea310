#!/usr/bin/env bash
# Installs, without questions and only when missing, every Debian package that
# building, running and testing Kelvora needs.
set -euo pipefail

packages=(
    # build (Python runs a step after the Windows link)
    cmake ninja-build pkg-config g++ clang libclang-rt-14-dev python3
    # Linux front end: widgets, the GIF plugin, audio, a Japanese Gothic face
    qt6-base-dev libqt6test6 qt6-translations-l10n libsdl2-dev fonts-ipafont-gothic libxcb1-dev
    # tests
    libgtest-dev libgmock-dev googletest librapidcheck-dev xvfb xauth xdotool desktop-file-utils
    # the Linux window under a real window manager, read through AT-SPI
    openbox x11-utils dbus at-spi2-core python3-pyatspi
    # Windows build, tested under Wine
    mingw-w64 wine wine64 locales
)

# The tests run once more under a locale that writes decimals with a comma.
ensure_locale() {
    locale -a 2>/dev/null | grep -qix "$(echo "$1" | sed 's/UTF-8/utf8/I')" && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i "${1%%.*}" -c -f UTF-8 "$1"
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
ensure_locale de_DE.UTF-8
