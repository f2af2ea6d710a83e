#!/usr/bin/env bash
# The Flatpak's start against the same build started natively, as the player waits for
# them: from the process's start until the X server maps the window. Native means the
# Flatpak's own /app and its runtime's /usr, with the same Qt, in a plain chroot: what is
# left between the two is the sandbox. Warm starts, the first not counted, the two taking
# turns; the medians and their ratio, and the sandbox's own set-up (a command that does
# nothing, started in the same sandbox) for comparison.
# Usage: flatpak_start.sh garagon_start_times [PAIRS] (as root, on an X server, after
# scripts/test-flatpak.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
startTimes=$1
pairs=${2:-21}
source scripts/flatpak-runtime.sh
scratchFolder scratch
onExit "flatpak --user kill $flatpakAppId 2>/dev/null || true"
export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

# The chroot: the runtime's files as /usr and /etc, the app's as /app, and a /tmp that
# holds the X server's socket and a home for the font cache.
root=$scratch/root
runtimeFiles=$(flatpak --user info --show-location "$debianRuntime//$debianRuntimeBranch")/files
appFiles=$(flatpak --user info --show-location "$flatpakAppId")/files
mkdir -p "$root"/{usr,etc,app,proc,dev,tmp/home,tmp/.X11-unix}
for link in bin lib lib64 sbin; do ln -s "usr/$link" "$root/$link"; done
onExit "umount -R '$root/usr' '$root/etc' '$root/app' '$root/proc' '$root/dev' '$root/tmp/.X11-unix' 2>/dev/null || true"
mount --bind "$runtimeFiles" "$root/usr"
mount --bind "$runtimeFiles/etc" "$root/etc"
mount --bind "$appFiles" "$root/app"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
native="/usr/sbin/chroot $root /usr/bin/env HOME=/tmp/home /app/bin/garagon"

"$startTimes" "$pairs" "$scratch/start" "/usr/bin/flatpak --user run --die-with-parent $flatpakAppId" "$native"
median() { sort -n "$1" | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
sandboxed=$(median "$scratch/start.0.times")
plain=$(median "$scratch/start.1.times")
# The sandbox alone: the same flatpak run with a command that ends at once.
for _ in $(seq 0 "$pairs"); do
    started=$(date +%s%N)
    flatpak --user run --command=true "$flatpakAppId"
    echo $((($(date +%s%N) - started) / 1000000)) >>"$scratch/setup.times"
done
sed -i 1d "$scratch/setup.times" # the first, not counted
setup=$(median "$scratch/setup.times")
echo "Start until the window is mapped, median of $pairs interleaved pairs:"
echo "  Flatpak:           $sandboxed ms"
echo "  native, same Qt:   $plain ms"
awk -v a="$sandboxed" -v b="$plain" 'BEGIN { printf "  ratio:             %.2f\n", a / b }'
echo "  sandbox set-up, a command that does nothing: $setup ms"
