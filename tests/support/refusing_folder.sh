#!/bin/sh
# Folders that refuse every write, even to root, with a savegame in each: immutable. The
# second also holds the lock file of a save that a crash interrupted, immutable as well.
# Usage: refusing_folder.sh make|free FOLDER. Where chattr cannot do it, as for a user
# without root, the folders are not made and the tests that need them are skipped.
folder=$2
for refusing in "$folder" "$folder-with-lock"; do
    chattr -R -i "$refusing" 2>/dev/null
    rm -rf "$refusing"
done
[ "$1" = make ] || exit 0
mkdir -p "$folder" "$folder-with-lock"
head -c 63596 /dev/urandom >"$folder/save1.dat"
cp "$folder/save1.dat" "$folder-with-lock/save1.dat"
: >"$folder-with-lock/.~garagon-lock"
if ! chattr +i "$folder" "$folder-with-lock/.~garagon-lock" "$folder-with-lock" 2>/dev/null; then
    chattr -R -i "$folder" "$folder-with-lock" 2>/dev/null
    rm -rf "$folder" "$folder-with-lock"
fi
exit 0
