#!/usr/bin/env bash
# Draws the Windows icon from the same car drawing as the Linux icons: 16 and 32 px in
# 256 colours for the window, 48 and 256 px for Explorer.
#   scripts/windows-icon.sh LINUX-BUILD OUTPUT.ico
set -euo pipefail

source "$(dirname "$0")/cleanup.sh"
scratchFolder scratch
QT_QPA_PLATFORM=offscreen "$1/tools/garagon_icons" "$scratch"
images=()
for size in 16 32 48 256; do
    images+=("$scratch/${size}x${size}/example.garagon.Garagon.png")
done
convert \( "${images[0]}" -colors 256 \) \( "${images[1]}" -colors 256 \) "${images[2]}" "${images[3]}" \
    -define png:exclude-chunks=date,time "$2"
