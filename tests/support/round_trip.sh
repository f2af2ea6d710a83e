# The round trip by real keys that both programs go through: the files it works on, the
# keys, and the check of the saved bytes. Sourced by the round-trip scripts, which define
# fail and start the program as $program; GARAGON_BUILD is the build folder.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/cleanup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/build-values.sh"
title="Garagon $(buildValue "$GARAGON_BUILD" version)"

# A scratch folder, gone at the end, with the program as NAME, its catalogue, the savegame
# and a copy of its old bytes: placeFiles NAME PROGRAM CATALOGUE SAVEGAME
placeFiles() {
    scratchFolder scratch
    onExit 'kill "${program:-}" 2>/dev/null || true'
    cp "$2" "$scratch/$1"
    cp "$3" "$scratch/Cardata.txt"
    savegame=$scratch/Spielstand.sav
    cp "$4" "$savegame"
    cp "$4" "$scratch/old.sav"
}

# Waits until a window of this exact title is shown.
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

# Opens the savegame by typing the given path into the file dialog, marks the second row,
# chooses the third car, replaces, saves and confirms; then undoes the swap by restoring
# the backup from the context menu, confirms and ends. On disk the savegame must hold the
# old bytes again, as must its first backup, and the second backup the swapped version,
# which differs from them in one 8-byte code alone.
roundTrip() {
    await "$title \[Kein Spielstand geladen\]"
    sleep 0.5
    keys space
    await "Tarvo Spielstand laden"
    sleep 1
    xdotool type --delay 30 "$1"
    keys Return
    await "$title \[Spielstand.sav\]"
    sleep 0.5
    # list, its second row, the selector and its third car, "Ersetzen", "Änderungen speichern"
    keys Tab Down Tab Down Down Tab space Tab space
    await "Gespeichert"
    keys Return shift+F10 h
    await "Sicherungen von Spielstand.sav"
    sleep 0.5
    keys Return
    await "Wiederhergestellt"
    keys Return space
    for _ in $(seq 100); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    ! kill -0 "$program" 2>/dev/null || fail "Space on \"Programm beenden\" did not end the program"
    program=

    local differing first last
    cmp -s "$scratch/old.sav" "$savegame" || fail "the savegame was not restored"
    cmp -s "$scratch/old.sav" "$savegame.~1" || fail "the restored backup changed"
    differing=$(cmp -l "$scratch/old.sav" "$savegame.~2" | awk '{print $1}' || true)
    [ -n "$differing" ] || fail "nothing was replaced"
    first=$(head -1 <<<"$differing")
    last=$(tail -1 <<<"$differing")
    [ $((last - first)) -lt 8 ] || fail "bytes $first to $last differ, more than one code"
}
