# Sourced: a Wine prefix of this script's own, gone when the script ends. Wine's server
# and services start once and stay until then, so that no program waits for them.
source "$(dirname "${BASH_SOURCE[0]}")/cleanup.sh"
scratchFolder WINEPREFIX
export WINEPREFIX WINEDEBUG=-all
onExit 'wineserver -k 2>/dev/null || true'
wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
