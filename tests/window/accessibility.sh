#!/usr/bin/env bash
# The window, the search dialog, the backups dialog and the question before unsaved
# replacements go, of the real program as a screen reader reads them through AT-SPI, on a
# session bus of their own: every control has a name, no row of "Gefundene Wagen" offers
# the texts of the hidden columns, and the question reads its text and buttons.
# Usage: accessibility.sh PROGRAM CATALOGUE SAVEGAME (on an X server without a window manager)
set -euo pipefail

fail() { echo "accessibility: $*" >&2; exit 1; }
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- "$0" "$@"

source "$(dirname "$0")/../support/round_trip.sh"
placeFiles garagon "$@"
cp "$savegame" "$savegame.~1"
export XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
onExit "kill $bus 2>/dev/null"
read_as_screen_reader() { /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$@"; }

xdotool mousemove 1200 1000
"$scratch/garagon" "$savegame" & program=$!
await "$title \[Spielstand.sav\]"
read_as_screen_reader main "$title [Spielstand.sav]"
keys ctrl+f
await "Wagen suchen"
read_as_screen_reader dialog "Wagen suchen"
keys Escape shift+F10 h
await "Sicherungen von Spielstand.sav"
read_as_screen_reader dialog "Sicherungen von Spielstand.sav"
keys Escape
await "$title \[Spielstand.sav\]"
# From "Spielstand laden": "Ersetzen", then "Programm beenden" with a replacement unsaved.
keys Tab Tab Tab space Tab Tab space
await Garagon
read_as_screen_reader question Garagon
keys Escape
echo "accessibility: every control has a name, the rows read as their cars, and the question as its text and buttons"
