#!/usr/bin/env bash
# The version is set in CMake alone. A scratch copy of the tree with another version there
# builds the Linux program and the Windows resource; the window's title, the program's
# --version, the version resource, the manifest, LIESMICH.txt and the names of both
# packages follow it.
# Usage: tests/support/with_display.sh tests/release/check_version.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

source scripts/cleanup.sh
source scripts/build-values.sh
source scripts/window-shown.sh
fail() { echo "version: $*" >&2; exit 1; }
scratchFolder scratch
tree=$scratch/garagon
mkdir "$tree"
git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$tree"
sed -i -E -e 's/^(project\(Garagon VERSION )[0-9.]+/\17.3/' \
    -e 's/^(set\(GARAGON_PRODUCT_VERSION )[0-9.]+\)/\17.03.0042)/' "$tree/CMakeLists.txt"

linux=$tree/build/linux
cmake -S "$tree" -B "$linux" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$linux" -j2 --target garagon >/dev/null
[ "$(buildValue "$linux" product_version)" = 7.03.0042 ] || fail "garagon-build.env keeps the old version"
[ "$("$linux/bin/garagon" --version)" = "Garagon 7.03.0042" ] || fail "--version keeps the old version"
grep -q '^set(CPACK_PACKAGE_VERSION "7.03.0042")$' "$linux/CPackConfig.cmake" ||
    fail "the Debian package keeps the old version"
TMPDIR=$scratch "$linux/bin/garagon" >/dev/null 2>&1 &
program=$!
onExit "kill $program 2>/dev/null"
windowShown '^Garagon 7\.3 \[Kein Spielstand geladen\]$' || fail "the window's title keeps the old version"

windows=$tree/build/windows
cmake -S "$tree" -B "$windows" -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-w64-x86_64.cmake" \
    -DGARAGON_WINDOW=OFF -DBUILD_TESTING=OFF >/dev/null
# The resource alone, by the build's own rule.
compiled=src/window/win32/CMakeFiles/garagon.dir/garagon.rc.res
make -C "$windows" -f src/window/win32/CMakeFiles/garagon.dir/build.make "$compiled" >/dev/null
resource=$(x86_64-w64-mingw32-windres -J coff -O rc -i "$windows/$compiled")
for field in 'FILEVERSION 7, 3, 0, 42' 'PRODUCTVERSION 7, 3, 0, 42' 'VALUE "FileVersion", "7.03.0042' \
    'VALUE "ProductVersion", "7.03.0042' 'version=""7.3.0.42""'; do
    grep -qF "$field" <<<"$resource" || fail "the Windows resource lacks $field"
done
[ "$(head -1 "$windows/LIESMICH.txt")" = "Garagon 7.3 (Version 7.03.0042)" ] ||
    fail "LIESMICH.txt keeps the old version"
[ "$(buildValue "$windows" version_numbers)" = 7.3.0.42 ] ||
    fail "the Windows downloads would keep the old version"
echo "version: set in CMake alone, followed by the title, --version, the resource and the packages"
