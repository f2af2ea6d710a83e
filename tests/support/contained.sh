#!/usr/bin/env bash
# Runs a test that starts programs with a deadline of its own, and ends every process that
# it started when it ends, passed or failed, or when the deadline passes: in a PID namespace
# of its own where the system allows one (as root), so that nothing outlives it, and else
# as a process group of its own. At the deadline it says what the test was waiting for,
# as the test's waits write it to GARAGON_WAITING_FOR.
# Usage: contained.sh SECONDS COMMAND [ARGUMENTS...]
set -uo pipefail

deadline=$1
shift
GARAGON_WAITING_FOR=$(mktemp)
export GARAGON_WAITING_FOR
isolation=()
if unshare --pid --fork --mount-proc --kill-child true 2>/dev/null; then
    isolation=(unshare --pid --fork --mount-proc --kill-child)
fi
# timeout leads a process group of its own, which it ends at the deadline.
timeout --kill-after=10 "$deadline" "${isolation[@]}" "$@" &
group=$!
wait $group
status=$?
kill -KILL -- -$group 2>/dev/null
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "the deadline of $deadline s passed while waiting for: $(cat "$GARAGON_WAITING_FOR")" >&2
fi
rm -f "$GARAGON_WAITING_FOR"
exit $status
