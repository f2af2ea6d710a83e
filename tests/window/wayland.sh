#!/usr/bin/env bash
# The real program on Wayland, under weston's headless compositor, driven through AT-SPI,
# which works the same on any display server: opened from its command line, the second
# row marked, replaced by the selector's car, saved, confirmed and ended. The same round
# trip on the X server must leave the same bytes on disk, the swap of 8 code bytes, and
# Qt must have asked Wayland for nothing that only X11 does.
# Usage: wayland.sh PROGRAM CATALOGUE SAVEGAME (on an X server without a window manager)
set -euo pipefail

fail() { echo "Wayland: $*" >&2; exit 1; }
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- "$0" "$@"

source "$(dirname "$0")/../support/round_trip.sh"
placeFiles garagon "$@"
export XDG_RUNTIME_DIR=$scratch QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
onExit "kill $bus 2>/dev/null"
weston --backend=headless-backend.so --use-pixman --socket=wayland-garagon --idle-time=0 \
    >"$scratch/weston.log" 2>&1 & compositor=$!
onExit "kill $compositor 2>/dev/null"
waitingFor "weston's display"
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/wayland-garagon" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/wayland-garagon" ] || fail "weston did not start: $(cat "$scratch/weston.log")"

# The round trip on one display server, in a folder of its own: roundTripOn PLATFORM
roundTripOn() {
    mkdir "$scratch/$1"
    cp "$scratch/old.sav" "$scratch/$1/Spielstand.sav"
    # Built with the sanitizers, the program on Wayland leaves libwayland's allocations
    # for Qt's plugin at its end; the round trip on X11 checks the program's own.
    local leaks=1
    [ "$1" = xcb ] || leaks=0
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=$leaks" WAYLAND_DISPLAY=wayland-garagon \
        QT_QPA_PLATFORM=$1 "$scratch/garagon" "$scratch/$1/Spielstand.sav" 2>"$scratch/$1.log" &
    program=$!
    waitingFor "the round trip through AT-SPI on $1"
    /usr/bin/python3 "$(dirname "$0")/at_spi_round_trip.py" "$title [Spielstand.sav]" ||
        fail "the round trip on $1 stopped"
    wait "$program" || fail "the program on $1 ended with $?: $(tail -n 30 "$scratch/$1.log")"
    program=
    cmp -s "$scratch/old.sav" "$scratch/$1/Spielstand.sav.~1" || fail "on $1 the backup is not the old savegame"
}
roundTripOn xcb
roundTripOn wayland

cmp -s "$scratch/xcb/Spielstand.sav" "$scratch/wayland/Spielstand.sav" ||
    fail "the savegame saved on Wayland differs from the one saved on X11"
old=$(hexOf "$scratch/old.sav")
[ "$(hexOf "$scratch/wayland/Spielstand.sav")" = "${old/$moewe/$brenner}" ] ||
    fail "the saved savegame is not the old one with Brenner Falke GT in the second record"
expectNothingX11Only "$scratch/wayland.log"
echo "Wayland: opened, replaced, saved and ended through AT-SPI; the same bytes as on X11"
