#!/usr/bin/env bash
# Builds the Debian package in build/package/deb, lets lintian judge it, checks its files and
# control fields, and installs and purges it in a scratch root without touching this machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh dpkg-dev lintian file
cmake --preset package >/dev/null
cmake --build --preset package
rm -rf build/package/deb
cpack --preset package
deb=$(echo build/package/deb/garagon_*.deb)

fail() { echo "package: $*" >&2; exit 1; }
source scripts/cleanup.sh
scratchFolder scratch

# lintian refuses to run as root without this; its errors fail the build, the rest is shown.
# Its own temporary files go with the scratch folder.
findings=$(TMPDIR=$scratch lintian --allow-root --display-info --tag-display-limit 0 "$deb" || true)
echo "$findings"
! grep -q '^E:' <<<"$findings" || fail "lintian reports errors"

fields=$(dpkg-deb --field "$deb")
grep -q '^Depends: .*libqt6widgets6' <<<"$fields" || fail "shlibdeps found no Qt dependency"
grep -q '^Depends: .*qt6-translations-l10n' <<<"$fields" || fail "Qt's German texts are not a dependency"
grep -q '^Section: games' <<<"$fields" || fail "not in the games section"
[ "$(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles)" = /etc/garagon/Cardata.txt ] ||
    fail "the catalogue is not the one conffile"

contents=$(dpkg-deb --contents "$deb")
for entry in './usr/games/garagon -> ../lib/garagon/garagon' \
    './usr/lib/garagon/Cardata.txt -> /etc/garagon/Cardata.txt' ./usr/lib/garagon/garagon \
    ./etc/garagon/Cardata.txt ./usr/share/applications/example.garagon.Garagon.desktop \
    ./usr/share/metainfo/example.garagon.Garagon.metainfo.xml \
    ./usr/share/icons/hicolor/256x256/apps/example.garagon.Garagon.png \
    ./usr/share/doc/garagon/copyright ./usr/share/doc/garagon/changelog.gz \
    ./usr/share/man/man6/garagon.6.gz; do
    grep -qF " $entry" <<<"$contents" || fail "missing $entry"
done
dpkg-deb --extract "$deb" "$scratch/files"
file "$scratch/files/usr/lib/garagon/garagon" | grep -q ', stripped' || fail "the binary is not stripped"
grep -q '^Exec=/usr/games/garagon %f$' "$scratch/files/usr/share/applications/example.garagon.Garagon.desktop" ||
    fail "the menu entry does not start /usr/games/garagon"

# Install, keep a changed catalogue over a reinstall, and purge, all inside the scratch root.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
in_root() {
    local output
    output=$(dpkg --root="$root" --force-not-root --force-depends --force-script-chrootless "$@" 2>&1) ||
        { echo "$output" >&2; return 1; }
}
in_root --install "$deb"
[ "$(dpkg --root="$root" --status garagon | sed -n 's/^Status: //p')" = "install ok installed" ] ||
    fail "not installed in the scratch root"
echo "0123456789ABCDEF = Eigener Wagen" >"$root/etc/garagon/Cardata.txt"
in_root --install "$deb"
grep -q 'Eigener Wagen' "$root/etc/garagon/Cardata.txt" || fail "a reinstall replaced the player's catalogue"
in_root --purge garagon
[ -z "$(find "$root" -path "$root/var" -prune -o -type f -print)" ] || fail "purge left files behind"
echo "Package $deb: contents, control fields, install and purge are fine."
