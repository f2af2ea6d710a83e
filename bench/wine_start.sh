#!/usr/bin/env bash
# The Windows program's start under Wine, as the player waits for it: from the process's
# start until its window's title is shown, with the demo catalogue and with one of 32,767
# cars; the median of several starts each, and their ratio.
# Usage: wine_start.sh garagon.exe (on an X server, WINEPREFIX set)
set -euo pipefail

program=$1
source "$(dirname "$0")/../scripts/cleanup.sh"
scratchFolder scratch
runs=15
# Wine's server stays, as on a running Windows; each start then is the program's own.
wineserver -p >/dev/null 2>&1 || true # one may run already
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

largest=$scratch/largest.txt
awk 'BEGIN { for (i = 1; i <= 32767; i++) printf "%016X = Wagen Nummer %d\r\n", i * 7919, i }' \
    >"$largest"

# Milliseconds from the start until the title is shown, median of the runs.
startTime() {
    x86_64-w64-mingw32-strip -o "$scratch/garagon.exe" "$program" # as in the downloads
    cp "$1" "$scratch/Cardata.txt"
    local times=()
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        /usr/lib/wine/wine64 "$scratch/garagon.exe" >/dev/null 2>&1 &
        local started=$!
        until xdotool search --onlyvisible --name '^Garagon 1\.1 ' >/dev/null 2>&1; do
            sleep 0.005
        done
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
        kill "$started" 2>/dev/null || true
        wait "$started" 2>/dev/null || true
        sleep 0.5 # the server cleans up after the ended program
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v runs="$runs" \
        'NR == 1 { low = $1 } NR == int(runs / 2) + 1 { median = $1 } END { print median, low }'

}

read -r demo demoLow < <(startTime "$(dirname "$0")/../data/Cardata.txt")
read -r limit limitLow < <(startTime "$largest")
echo "Windows program under Wine, start until the title is shown, median (fastest) of $runs:"
echo "  demo catalogue (20 cars): $demo ms ($demoLow ms)"
echo "  32,767 cars:              $limit ms ($limitLow ms)"
awk -v a="$limit" -v b="$demo" -v c="$limitLow" -v d="$demoLow" \
    'BEGIN { printf "  ratio: %.2f (%.2f)\n", a / b, c / d }'
