#!/usr/bin/env bash
# Runs a command on an X server of its own, on a display number the server picks itself,
# so that test runs side by side never meet on one display.
# Usage: with_display.sh COMMAND [ARGUMENTS...]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/cleanup.sh"
scratchFolder numberFolder
numberFile=$numberFolder/display
# -noreset: a server that resets when its last client goes would refuse the next one for a moment.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$numberFile" 2>/dev/null &
server=$!
# The server is waited for, so that its clean-up cannot remove the next server's socket.
onExit 'kill $server 2>/dev/null || true; wait $server 2>/dev/null || true'
for _ in $(seq 100); do
    [ -s "$numberFile" ] && break
    sleep 0.1
done
[ -s "$numberFile" ] || { echo "the X server did not start" >&2; exit 1; }
DISPLAY=:$(head -1 "$numberFile")
export DISPLAY
"$@"
