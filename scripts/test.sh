#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs all tests,
# then the same tests again built with the address and undefined-behaviour sanitizers;
# last it installs the program per user into a scratch folder and builds and checks the package.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in ci sanitize; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
scripts/check-install.sh build/ci
scripts/package.sh
