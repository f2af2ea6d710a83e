# Sourced: roots of another Debian release, made with mmdebstrap from the archive that
# apt-get uses here, to build and test in with chroot. Needs root. Every mount goes with
# the script's one clean-up.
source "$(dirname "${BASH_SOURCE[0]}")/cleanup.sh"

# The archive's address, as apt-get's sources give it.
debianMirror() {
    local mirror
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
    [ -n "$mirror" ] || mirror=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list)
    echo "${mirror:-http://deb.debian.org/debian}"
}

# A minimal root of the release as a tarball, made once and kept: baseTarball RELEASE FILE
baseTarball() {
    [ -s "$2" ] && return
    mkdir -p "$(dirname "$2")"
    mmdebstrap --quiet --format=tar --variant=apt --include=ca-certificates "$1" "$2.part" \
        "$(debianMirror)"
    mv "$2.part" "$2"
}

# The root unpacked from the tarball into the folder: unpackRoot FILE FOLDER
unpackRoot() {
    rm -rf "$2"
    mkdir -p "$2"
    tar -xf "$1" -C "$2"
}

# The kernel's file systems in the root until the script ends, and the name server. The
# binds are made slaves at once: an unmount inside must never reach this machine's own.
mountSystem() {
    local root=$1
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    onExit "umount -R '$root/proc' '$root/dev' '$root/sys' 2>/dev/null || umount -lR '$root/proc' '$root/dev' '$root/sys' 2>/dev/null"
    mount -t proc proc "$root/proc"
    for system in dev sys; do
        mount --rbind "/$system" "$root/$system"
        mount --make-rslave "$root/$system"
    done
}

# Runs a command line in the root, as root, with a clean environment: inRoot FOLDER COMMAND
inRoot() {
    chroot "$1" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        DEBIAN_FRONTEND=noninteractive bash -c "$2"
}
