#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs all tests,
# then the same tests again built with the address and undefined-behaviour sanitizers;
# then the core, the window's rules and the Windows program cross-built for Windows, their
# tests under Wine, and the Windows downloads built and checked; last it installs the
# program per user into a scratch folder and builds and checks the Debian package; and it
# builds the release twice and signed, and checks the information page in a browser; and
# checks that a version set in CMake alone reaches the title, the resource and the packages.
# Between the package and the release, the same tests and the Windows suite run again in a
# Debian 13 root, and the package built here is installed and started in a fresh one; then
# the Flatpak is built from its manifest against a runtime made from Debian 13 and tested
# in its sandbox. At the end no process that the tests started may still run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh g++-mingw-w64-x86-64-posix wine64 locales
source scripts/cleanup.sh
scratchFolder processes
scripts/leftovers.py record "$processes/before"
for preset in ci sanitize; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

tests/support/with_display.sh scripts/test-windows.sh
tests/support/with_display.sh scripts/package-windows.sh

scripts/check-install.sh build/ci
scripts/package.sh
scripts/test-debian13.sh
scripts/test-flatpak.sh
tests/support/with_display.sh tests/release/check_version.sh
tests/support/with_display.sh tests/release/check_release.sh
scripts/leftovers.py check "$processes/before"
