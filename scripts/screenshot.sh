#!/usr/bin/env bash
# Makes docs/kelvora-window.png, the README's picture of the window, from the
# real program: a copy of the portable folder (build/linux/Kelvora, built here
# when missing) with a setting of 3:00, started on a virtual display under
# openbox, so that the window has its caption, and made active: the minutes
# field then holds the focus with its text selected. The picture
# is the window's frame, caption included, with a few transparent pixels
# around it. It is for the README only; no test compares it.
#
#   scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
output="$(realpath -m "${1:-docs/kelvora-window.png}")"

# ImageMagick, for this script only. /usr/bin explicitly: another `convert`
# earlier on the PATH need not be ImageMagick's.
if [ ! -x /usr/bin/import ] || [ ! -x /usr/bin/convert ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends imagemagick
fi

app="build/linux/Kelvora/Kelvora"
if [ ! -x "$app" ]; then
    cmake --preset linux >/dev/null
    cmake --build --preset linux -j "${KELVORA_JOBS:-2}" --target Kelvora
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r build/linux/Kelvora "$work/Kelvora"
rm -f "$work/Kelvora/Data/"*.ini "$work/Kelvora/Data/"*.tmp
printf '3,0\r\n' >"$work/Kelvora/Data/TimerSet.txt"

# Runs on the virtual display: openbox, then Kelvora; waits for the window,
# lets it settle and captures its frame.
cat >"$work/capture.sh" <<'CAPTURE'
#!/usr/bin/env bash
set -euo pipefail
work="$1" output="$2"
openbox --sm-disable --config-file "$work/rc.xml" &
wm=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$work/Kelvora/Kelvora" &
app=$!
window=""
for _ in $(seq 100); do
    window="$(xdotool search --onlyvisible --name '^  Kelvora$' 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the window did not show" >&2; kill "$app" "$wm"; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null || true
# The caret stops blinking, and stays shown, after 10 s without input: the
# picture is then the same at every run.
sleep 11
# The frame: the window's place on the screen widened by the frame's extents
# (left, right, top, bottom) that openbox sets on it.
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS |
    sed -n 's/.* = \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)$/\1 \2 \3 \4/p')
client="$(xwininfo -id "$window")"
x="$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$client")"
y="$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$client")"
crop="$((WIDTH + left + right))x$((HEIGHT + top + bottom))+$((x - left))+$((y - top))"
/usr/bin/import -window root -crop "$crop" +repage "$work/frame.png"
kill "$app"
wait "$app" 2>/dev/null || true
kill "$wm"
wait "$wm" 2>/dev/null || true
/usr/bin/convert "$work/frame.png" -bordercolor none -border 6 -strip "$output"
echo "$output: frame $crop"
CAPTURE
chmod +x "$work/capture.sh"
# openbox's settings: its usual theme, with a caption of the icon, the title
# and the close box only, in a regular face: the window is too narrow for the
# title beside three boxes.
cat >"$work/rc.xml" <<'RC'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme>
    <name>Clearlooks</name>
    <titleLayout>NLC</titleLayout>
    <font place="ActiveWindow"><name>sans</name><size>7</size><weight>normal</weight></font>
    <font place="InactiveWindow"><name>sans</name><size>7</size><weight>normal</weight></font>
  </theme>
</openbox_config>
RC

mkdir -p "$(dirname "$output")"
xvfb-run -a -s "-screen 0 640x480x24" "$work/capture.sh" "$work" "$output"
