#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs all tests,
# then the same tests again built with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in ci sanitize; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
