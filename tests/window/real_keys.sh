#!/usr/bin/env bash
# The real program on a real X server without a window manager, driven by real key
# events alone: open a savegame by typing its path into the file dialog, mark the second
# row, choose another car, replace, save, confirm, restore the backup from the context
# menu, confirm, end. Any dialog that kept the keyboard
# would stop the keys on the way. Then the savegame and its first backup must hold the old
# bytes, and the second backup differ from them in the 8 code bytes alone.
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
