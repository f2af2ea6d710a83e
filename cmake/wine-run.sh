#!/bin/sh
# Runs a Windows program under Wine for CTest. Its output goes through a file: a Wine
# service or desktop that the program starts would otherwise inherit CTest's pipe and
# keep CTest waiting until it ends.
output=$(mktemp)
/usr/lib/wine/wine64 "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
exit $status
