#!/usr/bin/env bash
# Remakes docs/screenshots: one screen of each kind and the recording entry screen of the real
# program, on a real X server (Xvfb with a window manager, Qt's xcb platform), at the window's
# opening size (zoom 1) and maximized, on a generated sample catalogue; and the first page of a
# printed listing (PDF rendered with pdftoppm).
# Usage: tools/screenshots.sh [build folder] [--todas]   (--todas also saves screens 1-68 into
# the build folder's screenshots/ for review; they are not committed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
all=${2:-}
out=$root/docs/screenshots
"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target ormelia_screenshots -j"$(nproc)"
mkdir -p "$out"
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/ormelia_screenshots" "$work" $all
if [ -n "$all" ]; then
  mkdir -p "$build/screenshots"
  mv "$work"/screen-*.png "$build/screenshots/"
fi
cp "$work"/*.png "$out"/
pdftoppm -f 1 -l 1 -r 70 -png -singlefile "$work/printout.pdf" "$out/printout"
ls -l "$out"
