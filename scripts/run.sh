#!/usr/bin/env bash
# Builds Kelvora for Linux and starts it on the current display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux -j "${KELVORA_JOBS:-2}" --target Kelvora
app="build/linux/Kelvora/Kelvora"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MSG
Kelvora is built ($app) but there is no display to show it on.
Start it from a desktop session, or on a headless machine run it under a
virtual display:  xvfb-run -a $app
MSG
    exit 1
fi
exec "$app"
