# Sourced: a Wine prefix of this script's own, gone when the script ends, with the folder
# under /tmp where Wine's server keeps its socket for it. Wine's server and services start
# once and stay until then, so that no program waits for them.
source "$(dirname "${BASH_SOURCE[0]}")/cleanup.sh"
scratchFolder WINEPREFIX
export WINEPREFIX WINEDEBUG=-all
# The server's folder is named after the prefix's device and inode.
onExit "rm -rf /tmp/wine-*/$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX")); rmdir /tmp/wine-* 2>/dev/null"
onExit 'wineserver -k 2>/dev/null || true'
wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
