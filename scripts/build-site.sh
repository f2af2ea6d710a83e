#!/usr/bin/env bash
# Builds the information page into RELEASE/site from site/: the downloads of RELEASE with
# their sizes and SHA-256 as SHA256SUMS gives them, the screenshots from docs/, and the
# version and the page's address as the build folder BUILD has them.
# Usage: scripts/build-site.sh RELEASE BUILD
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/build-values.sh
release=$1
version=$(buildValue "$2" product_version)
address=$(buildValue "$2" info_url)
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

# Text and attribute values alike; the replacements below take every character as it is
# (bash 5.2 would otherwise put the match in for each "&").
shopt -u patsub_replacement 2>/dev/null || true
html() {
    local text=${1//&/&amp;}
    text=${text//</&lt;}
    text=${text//>/&gt;}
    text=${text//\"/&quot;}
    printf '%s' "${text//\'/&#39;}"
}

rows=""
while read -r sum name; do
    ln -f "$release/$name" "$site/downloads/"
    bytes=$(stat -c %s "$release/$name")
    size=$(awk -v b="$bytes" 'BEGIN { printf "%.1f MB", b / 1000000 }' | tr . ,)
    rows+=$(printf '<tr><td><a href="downloads/%s">%s</a></td><td>%s</td><td class="groesse">%s</td><td class="summe">%s</td></tr>' \
        "$name" "$name" "$(what "$name")" "$size" "$sum")$'\n'
done <"$release/SHA256SUMS"

signature=""
[ ! -e "$release/SHA256SUMS.asc" ] ||
    signature=', ihre Signatur in <a href="downloads/SHA256SUMS.asc">SHA256SUMS.asc</a>'
page=$(<site/index.html.in)
page=${page//@VERSION@/$(html "$version")}
page=${page//@INFO_URL@/$(html "$address")}
page=${page//@SIGNATURE_LINK@/$signature}
page=${page//@DOWNLOADS@$'\n'/$rows}
printf '%s\n' "$page" >"$site/index.html"
