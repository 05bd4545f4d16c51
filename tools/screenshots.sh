#!/usr/bin/env bash
# Remakes docs/screenshots: the main screens of the real program, run headless on a generated
# sample catalogue, and the first page of a printed listing (PDF rendered with pdftoppm).
# Usage: tools/screenshots.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=$root/docs/screenshots
"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target ormelia_screenshots -j"$(nproc)"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The offscreen platform needs no display; the fonts are the machine's own.
QT_QPA_PLATFORM=offscreen "$build/ormelia_screenshots" "$work"
cp "$work"/*.png "$out"/
pdftoppm -f 1 -l 1 -r 70 -png -singlefile "$work/printout.pdf" "$out/printout"
ls -l "$out"
