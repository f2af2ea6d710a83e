#!/usr/bin/env bash
# The tests on Debian 13 beside Debian 12: in a Debian 13 root made from Debian's archive
# and kept in build/debian13 between runs, it builds the ci preset and runs its tests, and
# the Windows suite under that release's Wine. Then it installs the package that
# scripts/package.sh built here into a fresh Debian 13 root and opens the demo savegame
# with it there. Needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
if grep -q '^VERSION_CODENAME=trixie$' /etc/os-release; then
    echo "Debian 13: the tests ran on this machine itself"
    exit 0
fi
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=CI "$0" "$@"

scripts/setup.sh mmdebstrap rsync
source scripts/debian-root.sh
base=build/debian13/trixie.tar
baseTarball trixie "$base"

root=build/debian13/root
[ -x "$root/usr/bin/apt-get" ] || unpackRoot "$base" "$root"
mountSystem "$root"
# The tree over the copy of the last run, whose builds stay: only what changed is written,
# and then as new, so that the builds see it whatever its own time says.
rsync --recursive --links --perms --checksum --delete --exclude=/.git --exclude='/build*/' ./ "$root/garagon/"
inRoot "$root" 'cd /garagon && scripts/setup.sh g++-mingw-w64-x86-64-posix wine64 locales &&
    cmake --preset ci >/dev/null && cmake --build --preset ci && ctest --preset ci &&
    tests/support/with_display.sh scripts/test-windows.sh'

tests/release/debian13_package.sh "$base" build/package/deb/garagon_*.deb build/ci/bin/Demo-Spielstand.sav
