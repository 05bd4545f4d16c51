#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them headless.
# Any report of either ends the test that made it, so a clean run means none was made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-sanitize}
"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DORMELIA_SANITIZE=ON -DORMELIA_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-O1 -g1" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
# Leaks of the windowing libraries at exit are theirs, not the program's: leak checking is off.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:detect_stack_use_after_return=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 900
