#!/usr/bin/env bash
# The Flatpak as the project's manifest makes it, built and tested here without Flathub:
# against a runtime and SDK made from Debian 13 (scripts/flatpak-runtime.sh), from the
# checkout's current commit. Then, in its sandbox with the manifest's permissions alone,
# the round trip by real keys, the player's own catalogue and a savegame handed over by
# the document portal; and the desktop data that it installs, checked with Debian 13's
# tools. Takes the demo savegame of the ci build. Needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=CI "$0" "$@"

scripts/setup.sh flatpak flatpak-builder bubblewrap xdg-desktop-portal python3-dbus python3-yaml \
    mmdebstrap
source scripts/flatpak-runtime.sh
installDebianRuntime
git diff --quiet HEAD || echo "test-flatpak: builds the last commit, not the changes since" >&2

manifest=$flatpakBuild/manifest.json
scripts/flatpak-manifest.py packaging/flatpak/app.yml "$debianRuntime" "$debianRuntimeBranch" \
    "$PWD" >"$manifest"
flatpak-builder --disable-rofiles-fuse --force-clean --user --install \
    --state-dir="$flatpakBuild/state" "$flatpakBuild/app" "$manifest"

# The desktop data as the Flatpak installs it, checked by the tools of its own runtime.
# flatpak-builder before 1.3 moves the MetaInfo file to the older appdata folder.
flatpak --user run --command=sh "$flatpakAppId" -c '
    set -e
    metainfo=$(ls /app/share/metainfo/"$FLATPAK_ID".* /app/share/appdata/"$FLATPAK_ID".* 2>/dev/null || true)
    appstreamcli validate --no-net $metainfo
    desktop-file-validate /app/share/applications/"$FLATPAK_ID".desktop'

export GARAGON_BUILD=build/ci
demo=build/ci/bin/Demo-Spielstand.sav
tests/support/with_display.sh tests/flatpak/sandbox.sh "$flatpakAppId" "$demo" data/Cardata.txt
tests/support/with_display.sh tests/flatpak/portal.sh "$flatpakAppId" "$demo"
