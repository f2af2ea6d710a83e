#!/usr/bin/env bash
# Installs a build per user into a scratch prefix, validates the desktop entry and the
# AppStream data, and starts the menu entry's own command with a savegame, as a file manager
# would: through the bin link the program must find its catalogue and open the savegame.
# Usage: scripts/check-install.sh [build folder, default build/ci]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/ci}
app_id=example.garagon.Garagon
source scripts/cleanup.sh
source scripts/build-values.sh
scratchFolder scratch
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
for path in bin/garagon lib/garagon/garagon lib/garagon/Cardata.txt \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/$app_id.png share/man/man6/garagon.6.gz; do
    [ -e "$prefix/$path" ] || { echo "not installed: $path" >&2; exit 1; }
done
[ "$(readlink "$prefix/bin/garagon")" = ../lib/garagon/garagon ] ||
    { echo "bin/garagon is not the relative link into lib/garagon" >&2; exit 1; }

desktop=$prefix/share/applications/$app_id.desktop
complaints=$(desktop-file-validate "$desktop")
[ -z "$complaints" ] || { echo "$complaints" >&2; exit 1; }
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"

# The menu's command with %f replaced by the file, started as the menu would start it.
savegame=$scratch/Demo-Spielstand.sav
cp "$build/bin/Demo-Spielstand.sav" "$savegame"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
command=${exec_line//%f/$savegame}
[ "${command%% *}" = "$prefix/bin/garagon" ] ||
    { echo "Exec does not start the installed link: $exec_line" >&2; exit 1; }
expected="\"Garagon $(buildValue "$build" version) [Demo-Spielstand.sav]\""
# shellcheck disable=SC2016 # the inner script gets the command and the title as arguments
TMPDIR=$scratch xvfb-run -a bash -c '
    $1 & program=$!
    for _ in $(seq 100); do
        if xwininfo -root -tree | grep -qF "$2"; then kill $program; exit 0; fi
        sleep 0.1
    done
    xwininfo -root -tree >&2
    kill $program
    exit 1' check "$command" "$expected" ||
    { echo "the installed program did not come up with its catalogue and the savegame" >&2; exit 1; }
echo "Per-user install: files, validators and the menu command are fine."
