#!/usr/bin/env bash
# Builds the Windows downloads in build/windows/dist: the portable zip and the installer.
# Checks the executable's version resource and imports, and the installer under Wine:
# silent install, a player's catalogue kept over a reinstall, the installed program's
# window, silent uninstall with nothing left. Needs an X server:
#   tests/support/with_display.sh scripts/package-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh g++-mingw-w64-x86-64-posix wine64 nsis zip libimage-exiftool-perl xdotool osslsigncode
dist=build/windows/dist
fail() { echo "package-windows: $*" >&2; exit 1; }
# The same commit gives the same bytes: every time in the downloads is the commit's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)} TZ=UTC
# Signed only where a certificate is given (scripts/sign-windows.sh says how).
sign=()
[ -z "${GARAGON_SIGN_PKCS12:-}" ] || sign=("-DSIGN=$PWD/scripts/sign-windows.sh")

source scripts/wine-prefix.sh

source scripts/build-values.sh
source scripts/window-shown.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target garagon
version=$(buildValue build/windows product_version)
numbers=$(buildValue build/windows version_numbers)
title="Garagon $(buildValue build/windows version) \[Kein Spielstand geladen\]"
GARAGON_INFO_URL=$(buildValue build/windows info_url)
export GARAGON_INFO_URL
rm -rf "$dist"
mkdir -p "$dist/files"
x86_64-w64-mingw32-strip -o "$dist/files/garagon.exe" build/windows/bin/garagon.exe
cp data/Cardata.txt "$dist/files/Cardata.txt"
# Notepad reads UTF-8 with its mark and Windows line ends.
printf '\xEF\xBB\xBF' >"$dist/files/LIESMICH.txt"
sed 's/$/\r/' build/windows/LIESMICH.txt >>"$dist/files/LIESMICH.txt"
[ ${#sign[@]} -eq 0 ] || scripts/sign-windows.sh "$dist/files/garagon.exe"
chmod 644 "$dist"/files/*
touch -d "@$SOURCE_DATE_EPOCH" "$dist"/files/*

# The executable: 64-bit GUI program, only Windows' own DLLs, the version resource.
exe=$dist/files/garagon.exe
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Magic.*PE32+' <<<"$headers" || fail "not a 64-bit executable"
grep -q 'Subsystem.*Windows GUI' <<<"$headers" || fail "not a GUI program"
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort)
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | comdlg32.dll | shell32.dll | advapi32.dll | ole32.dll | msvcrt.dll) ;;
    *) fail "imports $dll, which is not Windows' own" ;;
    esac
done
resources=$(exiftool -s -FileVersionNumber -ProductVersionNumber -LanguageCode -ProductName \
    -InternalName -FileDescription -FileVersion -OriginalFileName "$exe")
echo "$resources"
for field in "FileVersionNumber *: $numbers" "ProductVersionNumber *: $numbers" \
    "LanguageCode *: German" "ProductName *: Garagon" "InternalName *: Garagon" \
    "FileDescription *: Autos in Spielständen austauschen für Tarvo" "FileVersion *: $version"; do
    grep -q "^$field\$" <<<"$resources" || fail "version resource: no \"$field\""
done

# In a fixed order, without extra attributes.
(cd "$dist/files" && zip -X -q "../garagon-$version-windows-x64.zip" garagon.exe Cardata.txt LIESMICH.txt)
makensis -V2 "${sign[@]}" -DVERSION="$version" -DVERSION4="$numbers" -DPROGRAM="$PWD/$exe" \
    -DCATALOGUE="$PWD/$dist/files/Cardata.txt" -DREADME="$PWD/$dist/files/LIESMICH.txt" \
    -DICON="$PWD/src/window/win32/garagon.ico" -DOUTFILE="$PWD/$dist/garagon-$version-setup.exe" \
    packaging/windows/installer.nsi

# The installer under Wine, as a player would use it, but silent.
wine() { /usr/lib/wine/wine64 "$@"; }
drive=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public)
installed=$drive/AppData/Local/Programs/Garagon
shortcut=$drive/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Garagon.lnk
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Garagon'
wine "$dist/garagon-$version-setup.exe" /S
for file in garagon.exe Cardata.txt LIESMICH.txt Deinstallieren.exe; do
    [ -f "$installed/$file" ] || fail "not installed: $file"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
wine reg query "$key" /v DisplayName 2>/dev/null | grep -q Garagon || fail "not among the installed apps"
printf "0123456789ABCDEF = Eigener Wagen\r\n" >"$installed/Cardata.txt"
wine "$dist/garagon-$version-setup.exe" /S
grep -q "Eigener Wagen" "$installed/Cardata.txt" || fail "a reinstall replaced the player's catalogue"

wine "$installed/garagon.exe" >/dev/null 2>&1 &
disown
windowShown "^$title\$" || fail "the installed program showed no window"
# The Windows process runs on beside the one started here; it is ended by its path.
pkill -f "$installed/garagon.exe" || true
for _ in $(seq 50); do
    pgrep -f "$installed/garagon.exe" >/dev/null || break
    sleep 0.1
done

# The uninstaller copies itself away and returns at once: wait for all it removes, in its
# order: the folder, the Start-menu entry, the entry among the installed apps.
wine "$installed/Deinstallieren.exe" /S
for _ in $(seq 100); do
    [ ! -e "$installed" ] && [ ! -e "$shortcut" ] && ! wine reg query "$key" >/dev/null 2>&1 && break
    sleep 0.2
done
[ ! -e "$installed" ] || fail "the uninstaller left $(ls "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its entry among the installed apps"
rm -rf "$dist/files"
echo "Windows downloads in $dist: $(ls "$dist" | tr '\n' ' ')- installed, started and removed under Wine."
