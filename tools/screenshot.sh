#!/usr/bin/env bash
# Starts Telefika under Xvfb with a fresh home and saves a PNG of the screen.
#
#   tools/screenshot.sh [out.png] [build-dir] [-- xdotool commands...]
#
# The program is started twice: the first start makes the DataFolder (and
# shows its message), the second is what a user sees every day. Anything after
# "--" is handed to xdotool before the picture is taken, one command per
# argument, e.g. "key ctrl+t" or "mousemove 200 150 click 1".
# Set TELEFIKA_HOME to use a prepared home folder instead of a fresh one.
set -euo pipefail
out=${1:-/tmp/telefika.png}
build=${2:-build}
shift $(( $# >= 2 ? 2 : $# )) || true
[ "${1:-}" = "--" ] && shift
for tool in Xvfb import xdotool; do
  command -v "$tool" >/dev/null || { echo "needs xvfb, imagemagick and xdotool" >&2; exit 1; }
done
home=${TELEFIKA_HOME:-$(mktemp -d)}
display=:${DISPLAY_NUMBER:-77}
# SCREEN_SIZE sets the screen, e.g. 1600x1200 for the windows at QT_SCALE_FACTOR=2.
Xvfb "$display" -screen 0 "${SCREEN_SIZE:-800x600}x24" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display HOME=$home QT_QPA_PLATFORM=xcb
# A window manager, when there is one, draws the captions.
if command -v twm >/dev/null; then
  printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\nDecorateTransients\n' >"$home/.twmrc"
  twm -f "$home/.twmrc" >/dev/null 2>&1 &
  sleep 0.5
fi
if [ ! -e "$home/Telefika/Ayarlar.cnt" ]; then
  "$build/telefika" & first=$!
  sleep 2; xdotool key Return; sleep 1
  kill $first 2>/dev/null || true; wait $first 2>/dev/null || true
fi
"$build/telefika" & app=$!
sleep 2
for cmd in "$@"; do
  # shellcheck disable=SC2086
  xdotool $cmd; sleep 0.7
done
import -window root "$out"
kill $app 2>/dev/null || true
echo "$out"
