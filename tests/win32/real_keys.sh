#!/usr/bin/env bash
# The real Windows program under Wine on an X server without a window manager, driven by
# real key events alone: the round trip of tests/support/round_trip.sh through the system's
# file dialog, with an end of the session, which the question about the unsaved
# replacements refuses. Its backups and the savegame are checked byte for byte.
# Usage: real_keys.sh PROGRAM.exe CATALOGUE SAVEGAME KEYBOARD_OWNER.exe
# (on an X server, WINEPREFIX set)
set -euo pipefail

export WINEDEBUG=-all

fail() { echo "real keys under Wine: $*" >&2; exit 1; }

source "$(dirname "$0")/../support/round_trip.sh"
placeFiles garagon.exe "$1" "$2" "$3"
keyboardOwner=$4
# Wine finds its server by the temporary folder it started with; Wine 10 aborts in another.
# The Windows program's own temporary files lie in the Wine prefix all the same.
unset TMPDIR

# Which window has the keyboard is asked of Windows: the X server's focus can lag behind.
focusedName() {
    /usr/lib/wine/wine64 "$keyboardOwner" 2>/dev/null
}

# Without a window manager Wine places and focuses its windows itself, as Windows does.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
xdotool mousemove 1200 1000
# Its output goes elsewhere: Wine's desktop, started with it, would keep it open.
# The empty argument, as a shortcut may pass one, opens nothing.
# The end of the session as Wine offers it: the program asks about its unsaved
# replacements, and "Abbrechen" refuses the end, so that the program goes on.
endSession() {
    /usr/lib/wine/wine64 wineboot --end-session >/dev/null 2>&1 &
    local ending=$!
    await Garagon
    keys Escape
    waitingFor "wineboot to give up the session's end"
    wait "$ending" || true
    kill -0 "$program" 2>/dev/null || fail "the end of the session ended the program"
}

/usr/lib/wine/wine64 "$scratch/garagon.exe" "" >/dev/null 2>&1 &
program=$!
roundTrip "Z:${savegame//\//\\}"
echo "real keys under Wine: opened, replaced, saved, restored and ended by keys alone"
