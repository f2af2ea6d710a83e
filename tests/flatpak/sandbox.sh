#!/usr/bin/env bash
# The installed Flatpak in its sandbox, with the manifest's permissions alone, driven by
# real keys on an X server: the round trip of tests/support/round_trip.sh on a savegame in
# the Proton prefix of Steam as Valve ships it, with its backups and nothing else in the
# folder afterwards; then a catalogue of the player's own in the app's data folder, whose
# car no catalogue of the program has, ends up in a savegame in the prefix of Debian's Steam.
# Usage: sandbox.sh APP_ID SAVEGAME CATALOGUE (on an X server without a window manager)
set -euo pipefail

fail() { echo "flatpak sandbox: $*" >&2; exit 1; }

APP_ID=$1
source "$(dirname "$0")/in_sandbox.sh"

folder=$(protonFolder "$HOME/.local/share/Steam")
placeSavegame "$2" "$folder/Spielstand.sav"
# The empty argument, as the desktop entry may pass one, opens nothing.
sandboxed "$APP_ID" ""
roundTrip "$savegame"
expectOnly "$folder" Spielstand.sav Spielstand.sav.~1 Spielstand.sav.~2 Spielstand.sav.~3
echo "flatpak sandbox: opened, replaced, saved, restored and ended by keys, backups beside the savegame"

player=$HOME/.var/app/$APP_ID/data/garagon
mkdir -p "$player"
{ cat "$3"; printf '5EED5EED5EED5EED = Garagon Spielerwagen\r\n'; } >"$player/Cardata.txt"
folder=$(protonFolder "$HOME/.steam/debian-installation")
placeSavegame "$2" "$folder/Spielstand.sav"
sandboxed "$APP_ID" "$savegame"
replaceAndSave spielerwagen Gespeichert
keys Return
endProgram
old=$(hexOf "$scratch/old.sav")
[ "$(hexOf "$savegame")" = "${old/$brenner/0000005eed5eed5eed5eed01}" ] ||
    fail "the savegame does not hold the car of the player's catalogue in the first record"
expectOnly "$folder" Spielstand.sav Spielstand.sav.~1
echo "flatpak sandbox: the player's catalogue is the one in use"
