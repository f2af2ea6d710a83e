#!/usr/bin/env bash
# Cross-builds the core, the window's rules and the Windows program with mingw-w64 and
# runs their tests under Wine, in a Wine prefix of its own. Needs an X server:
#   tests/support/with_display.sh scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# Wine's server, services and desktop start once and stay for all tests: one started by
# a test would hold the test's output open and keep CTest waiting.
wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
/usr/lib/wine/wine64 explorer.exe /desktop >/dev/null 2>&1 &
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
