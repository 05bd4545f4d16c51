#!/usr/bin/env bash
# Builds Ormelia and opens it; the build puts an empty catalogue beside the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" "$root/build"
exec "$root/build/ormelia"
