#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest. Its output goes through files: a Wine
# service or desktop that the program starts would otherwise inherit CTest's pipe and
# keep CTest waiting until it ends. Wine's own errors are kept apart from the program's
# output. A program that printed nothing at all and failed was not started by Wine: then
# Wine's errors are shown, and the program is run once more. A program that ran and
# failed is never run again.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/cleanup.sh"
scratchFolder scratch

run() {
    WINEDEBUG="${WINEDEBUG:--all},err+all" /usr/lib/wine/wine64 "$@" \
        >"$scratch/output" 2>"$scratch/wine"
}

run "$@"
status=$?
if [ $status -ne 0 ] && [ ! -s "$scratch/output" ]; then
    echo "wine-run: Wine ended with $status before the program printed anything; Wine said:"
    tail -n 30 "$scratch/wine"
    echo "wine-run: running it once more, since Wine did not start it"
    run "$@"
    status=$?
fi
cat "$scratch/output"
[ $status -eq 0 ] || tail -n 30 "$scratch/wine" >&2
exit $status
