#!/usr/bin/env bash
# Builds the information page into RELEASE/site from site/: the downloads of RELEASE with
# their sizes and SHA-256 as SHA256SUMS gives them, the screenshots from docs/, and the
# page's address from the build's one place for it.
# Usage: scripts/build-site.sh RELEASE ADDRESS
set -euo pipefail
cd "$(dirname "$0")/.."

release=$1
address=$2
version=$(sed -n 's/^set(GARAGON_PRODUCT_VERSION \(.*\))$/\1/p' CMakeLists.txt)
site=$release/site
rm -rf "$site"
mkdir -p "$site/bilder" "$site/downloads"
cp site/style.css "$site/"
cp docs/garagon-fenster.png docs/garagon-fenster-windows.png docs/garagon-sicherungen.png \
    docs/garagon-sicherungen-windows.png "$site/bilder/"
# The page and its downloads go up as one folder; links keep it small here.
for file in "$release"/SHA256SUMS*; do
    ln -f "$file" "$site/downloads/"
done

what() {
    case $1 in
    *-windows-x64.zip) echo "Windows 10 und 11, 64 Bit: zum Entpacken" ;;
    *-setup.exe) echo "Windows 10 und 11, 64 Bit: Installationsprogramm" ;;
    *.deb) echo "Debian 12, amd64: Paket" ;;
    esac
}

rows=$site/rows.html
: >"$rows"
while read -r sum name; do
    ln -f "$release/$name" "$site/downloads/"
    bytes=$(stat -c %s "$release/$name")
    size=$(awk -v b="$bytes" 'BEGIN { printf "%.1f MB", b / 1000000 }' | tr . ,)
    printf '<tr><td><a href="downloads/%s">%s</a></td><td>%s</td><td class="groesse">%s</td><td class="summe">%s</td></tr>\n' \
        "$name" "$name" "$(what "$name")" "$size" "$sum" >>"$rows"
done <"$release/SHA256SUMS"

signature=""
[ ! -e "$release/SHA256SUMS.asc" ] ||
    signature=', ihre Signatur in <a href="downloads/SHA256SUMS.asc">SHA256SUMS.asc</a>'
sed -e "s|@VERSION@|$version|g" -e "s|@INFO_URL@|$address|g" -e "s|@SIGNATURE_LINK@|$signature|" \
    -e "/@DOWNLOADS@/{r $rows" -e 'd}' site/index.html.in >"$site/index.html"
rm "$rows"
