#!/usr/bin/env bash
# Redraws the program's pictures into resources/images (they are committed; run after changing
# tools/artwork.cpp).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/tools/setup.sh"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target ormelia_artwork -j"$(nproc)"
QT_QPA_PLATFORM=offscreen "$build/ormelia_artwork" "$root/resources/images"
