#!/usr/bin/env bash
# Builds the release into build/release: the Windows zip and installer, the Debian package,
# SHA256SUMS for the three, and the information page in build/release/site. The same
# commit gives the same bytes, whatever the folder, the clock, the user, the locale and
# the umask. Signing is switched on by the environment:
#   GARAGON_SIGN_PKCS12, GARAGON_SIGN_PASSWORD_FILE  Authenticode for the Windows files,
#   GARAGON_SIGN_TIMESTAMP_URL                        with an RFC 3161 time stamp;
#   GARAGON_GPG_KEY (and GNUPGHOME)                   SHA256SUMS.asc, signed by that key.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh gnupg
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
umask 022
release=build/release

tests/support/with_display.sh scripts/package-windows.sh
scripts/package.sh
rm -rf "$release"
mkdir -p "$release"
cp build/windows/dist/garagon-*-windows-x64.zip build/windows/dist/garagon-*-setup.exe \
    build/package/deb/garagon_*.deb "$release/"
(cd "$release" && sha256sum -- *.zip *.exe *.deb >SHA256SUMS)
if [ -n "${GARAGON_GPG_KEY:-}" ]; then
    gpg --batch --yes --local-user "$GARAGON_GPG_KEY" --armor --detach-sign \
        --output "$release/SHA256SUMS.asc" "$release/SHA256SUMS"
fi
scripts/build-site.sh "$release" build/package
echo "Release in $release:"
cat "$release/SHA256SUMS"
