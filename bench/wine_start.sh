#!/usr/bin/env bash
# The Windows program's start under Wine, as the player waits for it: from the process's
# start until the X server maps its window, with the demo catalogue and with one of 32,767
# cars, the two taking turns; the median of several starts each, and their ratio.
# Usage: wine_start.sh garagon.exe garagon_start_times (on an X server, WINEPREFIX set)
set -euo pipefail

program=$1
startTimes=$2
source "$(dirname "$0")/../scripts/cleanup.sh"
scratchFolder scratch
runs=41
# Wine's server stays, as on a running Windows; each start then is the program's own.
wineserver -p >/dev/null 2>&1 || true # one may run already
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

largest=$scratch/largest.txt
awk 'BEGIN { for (i = 1; i <= 32767; i++) printf "%016X = Wagen Nummer %d\r\n", i * 7919, i }' \
    >"$largest"

# Each catalogue in a folder of its own beside the stripped program, as in the downloads.
for catalogue in demo largest; do
    mkdir "$scratch/$catalogue"
    x86_64-w64-mingw32-strip -o "$scratch/$catalogue/garagon.exe" "$program"
done
cp "$(dirname "$0")/../data/Cardata.txt" "$scratch/demo/Cardata.txt"
cp "$largest" "$scratch/largest/Cardata.txt"

"$startTimes" "$runs" "$scratch/start" "/usr/lib/wine/wine64 $scratch/demo/garagon.exe" \
    "/usr/lib/wine/wine64 $scratch/largest/garagon.exe"
# The median and the fastest of a list of times.
summary() { sort -n "$1" | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)], t[1] }'; }
read -r demo demoLow < <(summary "$scratch/start.0.times")
read -r limit limitLow < <(summary "$scratch/start.1.times")
echo "Windows program under Wine, start until its window is mapped, median (fastest) of $runs:"
echo "  demo catalogue (20 cars): $demo ms ($demoLow ms)"
echo "  32,767 cars:              $limit ms ($limitLow ms)"
awk -v a="$limit" -v b="$demo" -v c="$limitLow" -v d="$demoLow" \
    'BEGIN { printf "  ratio: %.2f (%.2f)\n", a / b, c / d }'
