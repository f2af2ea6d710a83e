# Sourced by the Flatpak's tests: the round trip's keys and checks, a scratch home that
# the sandbox sees as the player's, and the installed Flatpak started in it with the
# manifest's permissions alone. Expects fail, APP_ID and GARAGON_BUILD.
source "$(dirname "${BASH_SOURCE[0]}")/../support/round_trip.sh"

scratchFolder scratch
export HOME=$scratch XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
onExit '[ -z "${program:-}" ] || endProgram'
# The pointer stays off every window, so that keys reach only the window with the focus.
xdotool mousemove 1200 1000

# A Proton prefix's documents as the manifest grants them: protonFolder STEAM_LIBRARY
protonFolder() {
    local folder=$1/steamapps/compatdata/2399830/pfx/drive_c/users/steamuser/Documents/Tarvo
    mkdir -p "$folder"
    echo "$folder"
}

# The demo savegame placed as FILE, and its old bytes as old.sav: placeSavegame DEMO FILE
placeSavegame() {
    savegame=$2
    cp "$1" "$savegame"
    cp "$1" "$scratch/old.sav"
}

# Starts the Flatpak, the sandbox ending with it: sandboxed [OPTION...] APP_ID [PATH]
sandboxed() {
    flatpak --user run --die-with-parent "$@" & program=$!
}

# With the savegame open, replaces the first row's car by the one that the words find,
# saves, and waits for the message with the given title: replaceAndSave WORDS TITLE
replaceAndSave() {
    await "$title \[Spielstand.sav\]"
    keys Tab ctrl+f
    await "Wagen suchen"
    typeText 60 "$1"
    keys Return space Tab space
    await "$2"
}

# Fails unless the folder holds exactly the named files, hidden ones included:
# expectOnly FOLDER NAME...
expectOnly() {
    local folder=$1
    shift
    [ "$(ls -A "$folder")" = "$(printf '%s\n' "$@" | sort)" ] ||
        fail "$folder holds $(ls -A "$folder" | tr '\n' ' ')instead of $*"
}

ended() {
    ! flatpak ps --columns=application | grep -qx "$APP_ID"
}

# Ends the program, and the sandbox with all in it, and waits until its last process is gone.
endProgram() {
    flatpak kill "$APP_ID" 2>/dev/null || kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=
    waitingFor "the sandbox to end"
    within20s ended || fail "the sandbox did not end"
}
