#!/usr/bin/env bash
# Builds the benchmark in Release (into build-release/, or $ORMELIA_BENCH_BUILD) and runs it;
# installs what is missing first. Generated catalogues (about 1.3 GB for 1,000,000 composers) are
# kept in $ORMELIA_BENCH_DATA, by default the user's cache folder, and reused by later runs.
# Arguments go to the benchmark: --sizes 10000,100000 for a shorter run, --quick for fewer repeats.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORMELIA_BENCH_BUILD:-$root/build-release}
export ORMELIA_BENCH_DATA=${ORMELIA_BENCH_DATA:-${XDG_CACHE_HOME:-$HOME/.cache}/ormelia-bench}
"$root/tools/setup.sh"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" --target ormelia_bench -j"$(nproc)"
mkdir -p "$ORMELIA_BENCH_DATA"
QT_QPA_PLATFORM=offscreen "$build/bench/ormelia_bench" --data "$ORMELIA_BENCH_DATA" "$@"
