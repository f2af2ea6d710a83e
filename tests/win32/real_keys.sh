#!/usr/bin/env bash
# The real Windows program under Wine on an X server without a window manager, driven by
# real key events alone: open a savegame by typing its path into the system's file dialog,
# mark the second row, choose another car, replace, save, confirm, restore the backup
# from the context menu, confirm, end. Then the savegame and its first backup must hold
# the old bytes, and the second backup differ from them in the 8 code bytes alone.
# Usage: real_keys.sh PROGRAM.exe CATALOGUE SAVEGAME (on an X server, WINEPREFIX set)
set -euo pipefail

export WINEDEBUG=-all

fail() { echo "real keys under Wine: $*" >&2; exit 1; }

source "$(dirname "$0")/../support/round_trip.sh"
placeFiles garagon.exe "$@"
# Wine finds its server by the temporary folder it started with; Wine 10 aborts in another.
# The Windows program's own temporary files lie in the Wine prefix all the same.
unset TMPDIR

# Without a window manager Wine places and focuses its windows itself, as Windows does.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
xdotool mousemove 1200 1000
# Its output goes elsewhere: Wine's desktop, started with it, would keep it open.
# The empty argument, as a shortcut may pass one, opens nothing.
/usr/lib/wine/wine64 "$scratch/garagon.exe" "" >/dev/null 2>&1 &
program=$!
roundTrip "Z:${savegame//\//\\}"
echo "real keys under Wine: opened, replaced, saved, restored and ended by keys alone"
