#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in release mode and runs them:
#   scripts/bench.sh [benchmark options, e.g. --benchmark_filter=search]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset bench
cmake --build --preset bench
# The started program wants a runtime folder of its own; a fresh one keeps Qt quiet.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
build/bench/bench/garagon_core_bench "$@"
xvfb-run -a build/bench/bench/garagon_window_bench "$@"

# The Windows program's start under Wine, with the demo catalogue and the largest one.
scripts/setup.sh g++-mingw-w64-x86-64-posix wine64
cmake --preset windows >/dev/null
cmake --build --preset windows --target garagon
tests/support/with_display.sh bash -c 'source scripts/wine-prefix.sh &&
    bench/wine_start.sh build/windows/bin/garagon.exe build/bench/bench/garagon_start_times'
