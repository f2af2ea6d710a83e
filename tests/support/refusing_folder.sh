#!/bin/sh
# A folder that refuses every write, even to root, with a savegame in it: immutable.
# Usage: refusing_folder.sh make|free FOLDER. Where chattr cannot do it, as for a user
# without root, the folder is not made and the tests that need it are skipped.
folder=$2
chattr -i "$folder" 2>/dev/null
rm -rf "$folder"
[ "$1" = make ] || exit 0
mkdir -p "$folder"
head -c 63596 /dev/urandom >"$folder/save1.dat"
chattr +i "$folder" 2>/dev/null || rm -rf "$folder"
exit 0
