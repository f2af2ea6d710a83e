#!/usr/bin/env bash
# The real program on a real X server without a window manager, driven by real key
# events alone: the round trip of tests/support/round_trip.sh (open, search, replace, save,
# restore, replace twice, undo, redo, and the question at the exit). Any dialog that kept
# the keyboard would stop the keys on the way. Its backups and the savegame are checked
# byte for byte.
# Usage: real_keys.sh PROGRAM CATALOGUE SAVEGAME (on an X server without a window manager)
set -euo pipefail

fail() { echo "real keys: $*" >&2; exit 1; }

source "$(dirname "$0")/../support/round_trip.sh"
placeFiles garagon "$@"
export XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=xcb

# The pointer stays off every window, so that keys reach only the window with the focus.
xdotool mousemove 1200 1000
# The empty argument, as a shortcut may pass one, opens nothing.
"$scratch/garagon" "" & program=$!
roundTrip "$savegame"
echo "real keys: opened, replaced, saved, restored and ended by keys alone"
