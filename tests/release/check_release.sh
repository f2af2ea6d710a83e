#!/usr/bin/env bash
# The release as a packager and a player check it. Two builds of one commit, from two
# folders, the second with a clock 36 hours on, another umask and locale, give the same
# SHA256SUMS. Signed with a throwaway CA, code-signing certificate and OpenPGP key made
# here, the Windows files verify, the signed program runs under Wine with its version
# resource, removing its signature gives the unsigned bytes, and SHA256SUMS.asc verifies.
# The information page, rendered by Chromium, links only to files of the release or to
# its own address, shows the sums of SHA256SUMS and gives every image a text; built for an
# address with "&", "?" and "|", it shows that address and links to it. Nothing of it, no
# key and no Wine prefix, outlives the check.
# Usage: tests/support/with_display.sh tests/release/check_release.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/setup.sh faketime osslsigncode gnupg openssl chromium unzip libimage-exiftool-perl
fail() { echo "release: $*" >&2; exit 1; }
source scripts/cleanup.sh
source scripts/build-values.sh
source scripts/window-shown.sh
scratchFolder scratch

release() {
    local log=$scratch/release.log
    "$@" scripts/release.sh >"$log" 2>&1 || { tail -40 "$log" >&2; fail "the release failed"; }
}

# The first build here, where the tree is the commit itself; otherwise in a clone of it.
first=$PWD
if [ -n "$(git status --porcelain)" ]; then
    first=$scratch/eins/garagon
    git clone -q . "$first"
fi
(cd "$first" && release env)
version=$(buildValue "$first/build/package" product_version)
title="Garagon $(buildValue "$first/build/package" version) "
second=$scratch/zwei/ein/anderer/ordner/garagon
git clone -q "$first" "$second"
(cd "$second" && umask 077 && release env LC_ALL=C LANG=C faketime -f +36h)
cmp "$first/build/release/SHA256SUMS" "$second/build/release/SHA256SUMS" ||
    fail "two builds of one commit differ: $(diff "$first/build/release/SHA256SUMS" "$second/build/release/SHA256SUMS")"
echo "release: two builds, two folders, two clocks: the same SHA256SUMS"

# Signing with throwaway keys; nothing of them outlives this test.
keys=$scratch/keys
mkdir -m 700 "$keys"
(
    cd "$keys"
    openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 30 -subj "/CN=Garagon Test CA" \
        -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign 2>/dev/null
    openssl req -newkey rsa:2048 -nodes -keyout cs.key -out cs.csr -subj "/CN=Garagon Test" 2>/dev/null
    printf 'extendedKeyUsage=codeSigning\nkeyUsage=digitalSignature\n' >ext
    openssl x509 -req -in cs.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out cs.pem -days 30 \
        -extfile ext 2>/dev/null
    openssl rand -hex 16 >pass
    openssl pkcs12 -export -inkey cs.key -in cs.pem -certfile ca.pem -out cs.p12 -passout file:pass
)
export GNUPGHOME=$scratch/gnupg
mkdir -m 700 "$GNUPGHOME"
onExit 'gpgconf --kill all 2>/dev/null'
gpg --batch --passphrase '' --quick-gen-key 'Garagon Test <test@garagon.invalid>' rsa2048 sign never 2>/dev/null
key=$(gpg --list-keys --with-colons | awk -F: '/^fpr/ { print $10; exit }')
(cd "$second" && release env GARAGON_SIGN_PKCS12="$keys/cs.p12" \
    GARAGON_SIGN_PASSWORD_FILE="$keys/pass" GARAGON_GPG_KEY="$key")
signed=$second/build/release
verify() { osslsigncode verify -CAfile "$keys/ca.pem" -in "$1" 2>&1 | grep -q '^Succeeded' || fail "$1 does not verify"; }
unzip -p "$signed/garagon-$version-windows-x64.zip" garagon.exe >"$scratch/signed.exe"
unzip -p "$first/build/release/garagon-$version-windows-x64.zip" garagon.exe >"$scratch/unsigned.exe"
verify "$scratch/signed.exe"
verify "$signed/garagon-$version-setup.exe"
osslsigncode remove-signature -in "$scratch/signed.exe" -out "$scratch/plain.exe" >/dev/null
cmp -s "$scratch/plain.exe" "$scratch/unsigned.exe" || fail "removing the signature does not give the unsigned bytes"
exiftool -s -FileVersion "$scratch/signed.exe" | grep -q ": $version\$" || fail "the signed program lost its version resource"
gpg --verify "$signed/SHA256SUMS.asc" "$signed/SHA256SUMS" 2>/dev/null || fail "SHA256SUMS.asc does not verify"

# The signed installer under Wine: its uninstaller is signed, the signed program starts.
source scripts/wine-prefix.sh
/usr/lib/wine/wine64 "$signed/garagon-$version-setup.exe" /S
installed=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Garagon' -type d | head -1)
verify "$installed/Deinstallieren.exe"
/usr/lib/wine/wine64 "$installed/garagon.exe" >/dev/null 2>&1 &
windowShown "^$title" || fail "the signed program showed no window"
echo "release: signed files verify, the signed program runs, its signature comes off cleanly"

# The page in a real browser, at a desktop's and a phone's width.
site=$first/build/release/site
browser() {
    TMPDIR=$scratch chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$(mktemp -d -p "$scratch")" "$@" "file://$site/index.html" 2>/dev/null
}
for width in 1280 390; do
    browser --window-size="$width,3000" --screenshot="$scratch/page-$width.png" >/dev/null
    [ -s "$scratch/page-$width.png" ] || fail "the page did not render at $width pixels"
done
page=$(browser --dump-dom)
address=$(buildValue "$first/build/package" info_url)
# As the browser writes the page out again: "&" in texts and attributes as "&amp;".
served() { sed 's/&amp;/\&/g'; }
! grep -qi '<script' <<<"$page" || fail "the page has a script"
while read -r link; do
    case $link in
    "$address") ;;
    \#*) grep -q "id=\"${link#\#}\"" <<<"$page" || fail "no anchor $link" ;;
    *:*) fail "the page reaches another server: $link" ;;
    *) [ -f "$site/$link" ] || fail "the page links to $link, which the release lacks" ;;
    esac
done < <(grep -oE '(href|src)="[^"]*"' <<<"$page" | sed -E 's/^[a-z]+="(.*)"$/\1/' | served)
[ "$(grep -oE '\b[0-9a-f]{64}\b' <<<"$page" | sort)" = "$(awk '{ print $1 }' "$first/build/release/SHA256SUMS" | sort)" ] ||
    fail "the page's sums are not those of SHA256SUMS"
images=$(grep -o '<img ' <<<"$page" | wc -l)
described=$(grep -oE '<img [^>]*alt="[^"]+"' <<<"$page" | wc -l)
[ "$images" -gt 0 ] && [ "$images" = "$described" ] || fail "$((images - described)) of $images images have no text"
echo "release: the page renders, its $images images have texts, its links and sums hold"

# The address of another build, with characters that HTML and sed give a meaning to.
odd='https://garagon.example/seite?spiel=tarvo&sprache=de|en'
cmake -S "$first" -B "$scratch/adresse" -DGARAGON_INFO_URL="$odd" -DGARAGON_WINDOW=OFF \
    -DBUILD_TESTING=OFF >/dev/null
mkdir "$scratch/release"
cp "$first"/build/release/{*.zip,*.exe,*.deb,SHA256SUMS} "$scratch/release/"
scripts/build-site.sh "$scratch/release" "$scratch/adresse"
site=$scratch/release/site
page=$(browser --dump-dom | served)
grep -qF ">$odd</a>" <<<"$page" || fail "the page does not show the address $odd"
grep -qF "href=\"$odd\"" <<<"$page" || fail "the page does not link to $odd"
echo "release: an address with \"&\", \"?\" and \"|\" is shown and linked as it is"
