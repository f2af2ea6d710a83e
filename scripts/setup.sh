#!/usr/bin/env bash
# Installs from Debian's archive whatever the build and the tests need and is missing.
set -euo pipefail

packages=(cmake make g++ qt6-base-dev libgtest-dev libbenchmark-dev libxcb1-dev fonts-liberation xauth
          xvfb xdotool x11-utils dosfstools fusefat qt6-translations-l10n desktop-file-utils appstream
          at-spi2-core python3-pyatspi dbus-daemon ntfs-3g weston qt6-wayland sway wtype e2fsprogs
          sshfs socat openssh-sftp-server "$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
