#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time (default 30 s each):
#   scripts/fuzz.sh [seconds]
# The seed corpus in tests/fuzz/corpus stays as it is; what a run learns is kept in
# build/fuzz/corpus. A crash leaves its input in build/fuzz/findings and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

# The release's own clang, whichever version it is.
scripts/setup.sh clang libclang-rt-dev
cmake --preset fuzz
cmake --build --preset fuzz

mkdir -p build/fuzz/findings
for target in catalogue search; do
    corpus="build/fuzz/corpus/$target"
    mkdir -p "$corpus"
    echo "== ${target}_fuzz for ${seconds} s"
    "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/findings/${target}-" "$corpus" "tests/fuzz/corpus/$target"
done
echo "fuzzing: no findings"
