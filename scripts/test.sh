#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs all tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
