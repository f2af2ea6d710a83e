#!/usr/bin/env bash
# A savegame outside the manifest's folders, handed to the Flatpak through the real
# document portal as the file chooser would, is opened from the portal's path, replaced
# and saved in the sandbox. Garagon must refuse the save with its reason and the way to
# give it the folder, name no backup, and leave the host folder holding the unchanged
# savegame and nothing else, not even a hidden file of the portal's.
# The program built here, on the same document outside the sandbox, refuses it too.
# Usage: portal.sh APP_ID SAVEGAME (on an X server without a window manager)
set -euo pipefail

fail() { echo "flatpak portal: $*" >&2; exit 1; }
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] ||
    exec dbus-run-session --config-file="$(dirname "$0")/session-bus.conf" -- "$0" "$@"

APP_ID=$1
source "$(dirname "$0")/in_sandbox.sh"

/usr/libexec/xdg-permission-store & store=$!
/usr/libexec/xdg-document-portal & portal=$!
onExit "kill $portal $store 2>/dev/null; wait $portal $store 2>/dev/null; fusermount -u -z '$XDG_RUNTIME_DIR/doc' 2>/dev/null || true"
# The screen reader's bus, to read the message; in a process group of its own, so that
# its bus and registry end with it before the X server goes.
setsid /usr/libexec/at-spi-bus-launcher --launch-immediately & reader=$!
readerEnded() { ! pgrep -g "$reader" >/dev/null; }
onExit "kill -- -$reader 2>/dev/null; within20s readerEnded"

folder=$HOME/Spiele
mkdir "$folder"
placeSavegame "$2" "$folder/Spielstand.sav"
document=$("$(dirname "$0")/export_document.py" "$savegame" "$APP_ID")
# Refuses the save in the program started on the document, with the reason and the
# words given: refusedSave WORDS
refusedSave() {
    replaceAndSave mowe Fehler
    local message
    message=$(PYTHONPATH="$(dirname "$0")/../window" "$(dirname "$0")/message_text.py" Fehler)
    [[ $message == *Dokumentenportal*"$1"* ]] ||
        fail "the message does not say why, nor \"$1\": $message"
    [[ $message != *gesichert* && $message != *.~* ]] || fail "the message names a backup: $message"
    # While the portal still runs, any name that the program made there would be in the folder.
    expectOnly "$folder" Spielstand.sav
    cmp -s "$scratch/old.sav" "$savegame" || fail "the savegame changed"
    keys Return
    endProgram
}

sandboxed --env=QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$APP_ID" "/run/user/$(id -u)/doc/$document/Spielstand.sav"
refusedSave "flatpak override --user --filesystem=ORDNER $APP_ID"
echo "flatpak portal: in the sandbox, the save was refused with the way to give Garagon the folder"
# Outside a sandbox, where the portal's folder is as reachable as any other.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
    "$GARAGON_BUILD/bin/garagon" "$XDG_RUNTIME_DIR/doc/by-app/$APP_ID/$document/Spielstand.sav" &
program=$!
refusedSave "in seinem eigenen Ordner"
echo "flatpak portal: outside it, the save was refused with the advice to open the savegame where it lies"
