#!/usr/bin/env bash
# The real Windows program under Wine on an X server without a window manager, driven by
# real key events alone: open a savegame by typing its path into the system's file dialog,
# mark the second row, choose another car, replace, save, confirm, end. Then only the 8
# code bytes may differ on disk, and the backup must hold the old bytes.
# Usage: real_keys.sh PROGRAM.exe CATALOGUE SAVEGAME (on an X server, WINEPREFIX set)
set -euo pipefail

scratch=$(mktemp -d)
trap 'kill "${program:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
cp "$1" "$scratch/garagon.exe"
cp "$2" "$scratch/Cardata.txt"
savegame=$scratch/Spielstand.sav
cp "$3" "$savegame"
cp "$3" "$scratch/old.sav"
export WINEDEBUG=-all

fail() { echo "real keys under Wine: $*" >&2; exit 1; }

# Waits until a window of this exact title is shown; Wine is slower than Linux.
await() {
    for _ in $(seq 200); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "no window \"$1\""
}

keys() {
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.4
    done
}

# Without a window manager Wine places and focuses its windows itself, as Windows does.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
xdotool mousemove 1200 1000
/usr/lib/wine/wine64 "$scratch/garagon.exe" & program=$!
await "Garagon 1.1 \[Kein Spielstand geladen\]"
sleep 1
keys space
await "Tarvo Spielstand laden"
sleep 1
xdotool type --delay 30 "Z:${savegame//\//\\}"
keys Return
await "Garagon 1.1 \[Spielstand.sav\]"
sleep 0.5
# list, its second row, the selector and its third car, "Ersetzen", "Änderungen speichern"
keys Tab Down Tab Down Down Tab space Tab space
await "Gespeichert"
keys Return space
for _ in $(seq 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
! kill -0 "$program" 2>/dev/null || fail "Space on \"Programm beenden\" did not end the program"
program=

cmp -s "$scratch/old.sav" "$savegame.~1" || fail "the backup does not hold the old bytes"
differing=$(cmp -l "$scratch/old.sav" "$savegame" | awk '{print $1}' || true)
[ -n "$differing" ] || fail "nothing was replaced"
first=$(head -1 <<<"$differing")
last=$(tail -1 <<<"$differing")
[ $((last - first)) -lt 8 ] || fail "bytes $first to $last differ, more than one code"
echo "real keys under Wine: opened, replaced, saved and ended by keys alone"
