#!/usr/bin/env bash
# The real program on Wayland, under sway's headless compositor, driven by real key events
# from wtype: the same round trip as on X11 (open by the file dialog, find a car by the
# search, replace, save, restore the backup from the context menu, replace twice, undo,
# redo, and the question at the exit), checked the same way. sway refuses to run as root, so as root the compositor and the program run as
# nobody. Usage: wayland_keys.sh PROGRAM CATALOGUE SAVEGAME
set -euo pipefail

# With the windows that sway shows and the end of the program's output.
fail() {
    echo "Wayland keys: $*" >&2
    [ -z "${ipc:-}" ] || echo "windows: $(windowNames | paste -sd '|')" >&2
    [ ! -s "${scratch:-}/garagon.log" ] || tail -n 20 "$scratch/garagon.log" >&2
    exit 1
}

source "$(dirname "$0")/../support/round_trip.sh"
placeFiles garagon "$@"
printf 'output HEADLESS-1 resolution 1280x1024\n' >"$scratch/sway.conf"
export XDG_RUNTIME_DIR=$scratch HOME=$scratch
user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$scratch"
    user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
as() { "${user[@]}" env "$@"; }

# Started without a function, so that $! is the compositor and not a shell around it.
"${user[@]}" env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$scratch/sway.conf" >"$scratch/sway.log" 2>&1 &
compositor=$!
onExit "kill $compositor 2>/dev/null; wait $compositor 2>/dev/null"
waitingFor "sway's display"
for _ in $(seq 100); do
    display=$(find "$scratch" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -1)
    ipc=$(find "$scratch" -maxdepth 1 -type s -name 'sway-ipc.*' | head -1)
    [ -n "$display" ] && [ -n "$ipc" ] && break
    sleep 0.1
done
[ -n "$display" ] || fail "sway did not start: $(tail -5 "$scratch/sway.log")"

# The titles of the windows that sway shows.
windowNames() {
    as SWAYSOCK="$ipc" swaymsg -t get_tree | sed -n 's/^ *"name": "\(.*\)",$/\1/p'
}
shownNow() {
    windowNames | grep -q "$1"
}
# The focused window's title.
focusedName() {
    local focused='import json, sys
def walk(node):
    if node.get("focused"):
        print(node.get("name"))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
    as SWAYSOCK="$ipc" swaymsg -t get_tree | python3 -c "$focused"
}
# Each call of wtype brings a keyboard of its own, and the window needs a moment to take
# it: slower programs (Qt 6.8 with the sanitizers) miss the first key. A Shift alone goes
# first, which changes nothing whether it is missed or not.
firstKey=(-s 300 -k Shift_L -s 300)
keys() {
    local arguments=("${firstKey[@]}")
    for key in "$@"; do
        if [[ $key == *+* ]]; then
            arguments+=(-M "${key%%+*}" -k "${key#*+}" -m "${key%%+*}" -s 400)
        else
            arguments+=(-k "$key" -s 400)
        fi
    done
    as WAYLAND_DISPLAY="$display" wtype "${arguments[@]}"
}
typeText() {
    as WAYLAND_DISPLAY="$display" wtype "${firstKey[@]}" -d "$1" "$2"
}

"${user[@]}" env WAYLAND_DISPLAY="$display" QT_QPA_PLATFORM=wayland "$scratch/garagon" "" \
    2>"$scratch/garagon.log" &
program=$!
roundTrip "$savegame"
expectNothingX11Only "$scratch/garagon.log"
echo "Wayland keys: opened, found, replaced, saved, restored and ended by keys alone"
