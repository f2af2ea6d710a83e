# Sourced: a Wine prefix of this script's own, gone when the script ends. Wine's server
# and services start once and stay until then, so that no program waits for them.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
