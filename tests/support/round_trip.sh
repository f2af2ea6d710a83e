# Shared steps of the round trips by real keys: waiting for a window, typing keys, and
# checking the saved bytes. Sourced by the round-trip scripts, which define fail.

# A scratch folder, gone at the end, with the program as NAME, its catalogue, the savegame
# and a copy of its old bytes: placeFiles NAME PROGRAM CATALOGUE SAVEGAME
placeFiles() {
    scratch=$(mktemp -d)
    trap 'kill "${program:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
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

# Waits for the program to end after Space on "Programm beenden".
awaitEnd() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "Space on \"Programm beenden\" did not end the program"
}

# The backup holds the old bytes, and the savegame differs from them in one code at most.
checkSaved() {
    local old=$1 savegame=$2 differing first last
    cmp -s "$old" "$savegame.~1" || fail "the backup does not hold the old bytes"
    differing=$(cmp -l "$old" "$savegame" | awk '{print $1}' || true)
    [ -n "$differing" ] || fail "nothing was replaced"
    first=$(head -1 <<<"$differing")
    last=$(tail -1 <<<"$differing")
    [ $((last - first)) -lt 8 ] || fail "bytes $first to $last differ, more than one code"
}
