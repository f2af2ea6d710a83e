#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs all tests,
# then the same tests again built with the address and undefined-behaviour sanitizers;
# then the core and the window's rules cross-built for Windows, their tests under Wine;
# last it installs the program per user into a scratch folder and builds and checks the package.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh g++-mingw-w64-x86-64-posix wine64
for preset in ci sanitize; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

# A Wine prefix of its own, made before the tests so that none of them waits for it.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
/usr/lib/wine/wine64 wineboot --init
wineserver -w
cmake --preset windows
cmake --build --preset windows
tests/support/with_display.sh ctest --preset windows

scripts/check-install.sh build/ci
scripts/package.sh
