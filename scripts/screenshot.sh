#!/usr/bin/env bash
# Regenerates doc/screenshot.png: the real program on its own X server,
# playing a freshly made sample library through a private PulseAudio server.
#   screenshot.sh [OUTPUT.png]   (needs Xvfb, xdotool, ImageMagick, lame,
#   pulseaudio; the program built in build/ or $OV_BUILD_DIR)
# OV_SHOT_SCREEN sets the X screen (default 1400x800); QT_SCALE_FACTOR and
# the like pass through to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-$root/doc/screenshot.png}
binary=$root/${OV_BUILD_DIR:-build}/src/app/orvantis
[ -x "$binary" ] || binary=$(find "$root/${OV_BUILD_DIR:-build}" -name orvantis -type f -perm -u+x | head -n 1)
[ -x "$binary" ] || { echo "build the program first (scripts/build.sh)" >&2; exit 1; }

work=$(mktemp -d /tmp/ov-shot.XXXXXX)
xpid="" opid=""
cleanup() {
  [ -n "$opid" ] && kill "$opid" 2>/dev/null && wait "$opid" 2>/dev/null || true
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  bash "$root/scripts/pulse-test-server.sh" stop "$work/pulse"
  rm -rf "$work"
}
trap cleanup EXIT

bash "$root/scripts/make-sample-mp3s.sh" "$work/music" "${OV_SHOT_TRACKS:-40}"

# A data directory that skips the language question.
mkdir -p "$work/home/conf" "$work/runtime"
chmod 700 "$work/runtime"
printf '[main]\nlang=english\n' > "$work/home/conf/main.ini"

PULSE_SERVER=$(bash "$root/scripts/pulse-test-server.sh" start "$work/pulse")
export PULSE_SERVER

display=""
for n in $(seq 150 250); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -nolisten tcp -screen 0 "${OV_SHOT_SCREEN:-1400x800}x24" >/dev/null 2>&1 &
  xpid=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && { display=":$n"; break; }
    sleep 0.05
  done
  [ -n "$display" ] && break
  kill "$xpid" 2>/dev/null || true
  xpid=""
done
[ -n "$display" ] || { echo "no X server could be started" >&2; exit 1; }
export DISPLAY=$display

# "Open With" the directory: it is added to the library and played at once.
# The autotest switch closes the first run's report of the files it created,
# which would otherwise wait for a click in front of the window.
env -u ORVANTIS_PCM_DEVICE ORVANTIS_AUTOTEST=accept ORVANTIS_HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
  QT_QPA_PLATFORM=xcb "$binary" "$work/music" > "$work/orvantis.log" 2>&1 &
opid=$!

window=""
for _ in $(seq 1 200); do
  window=$(xdotool search --onlyvisible --name '^Orvantis ' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { cat "$work/orvantis.log" >&2; echo "the window did not appear" >&2; exit 1; }
sleep "${OV_SHOT_WAIT:-10}"

eval "$(xdotool getwindowgeometry --shell "$window")"
minimum=$(xprop -id "$window" WM_NORMAL_HINTS 2>/dev/null | sed -n 's/.*minimum size: *//p' | tr -d ' ')
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
# A palette of 256 colours keeps the picture small without visible loss.
convert "$work/shot.png" -strip -colors 256 "PNG8:$out"

# Close the window the way a user does (Alt+F4 is the program's own Exit).
xdotool windowfocus --sync "$window" key alt+F4 || true
for _ in $(seq 1 100); do
  kill -0 "$opid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$opid" 2>/dev/null; then kill "$opid"; fi
wait "$opid" 2>/dev/null || true
opid=""
echo "$out: ${WIDTH}x${HEIGHT} (minimum ${minimum:-unknown}), $(stat -c %s "$out") bytes"
