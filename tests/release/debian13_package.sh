#!/usr/bin/env bash
# The package built on Debian 12, in a fresh Debian 13 root: it installs there with what it
# depends on from Debian's archive, and opens the demo savegame named on its command line.
# Usage: debian13_package.sh ROOT.tar PACKAGE.deb SAVEGAME (as root)
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/debian-root.sh

scratchFolder scratch
root=$scratch/root
unpackRoot "$1" "$root"
mountSystem "$root"
cp "$2" "$root/root/garagon.deb"
cp "$3" "$root/root/Demo-Spielstand.sav"
cp scripts/window-shown.sh "$root/root/"
inRoot "$root" 'apt-get update -qq && apt-get install -y -qq /root/garagon.deb xvfb xauth xdotool >/dev/null' ||
    { echo "package on Debian 13: it does not install" >&2; exit 1; }
inRoot "$root" 'xvfb-run -a bash -c "source /root/window-shown.sh
    /usr/games/garagon /root/Demo-Spielstand.sav & windowShown \"^Garagon .*\\[Demo-Spielstand.sav\\]\$\"; shown=\$?; kill %1; exit \$shown"' ||
    { echo "package on Debian 13: no window with the demo savegame" >&2; exit 1; }
echo "package on Debian 13: installed, and the demo savegame opened"
