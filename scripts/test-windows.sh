#!/usr/bin/env bash
# Cross-builds the core, the window's rules and the Windows program with mingw-w64 and
# runs their tests under Wine, in a Wine prefix of its own. Needs an X server:
#   tests/support/with_display.sh scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-prefix.sh
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
