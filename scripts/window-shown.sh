# Sourced: windowShown PATTERN waits up to 20 s for a shown window whose title matches
# the regular expression, and fails when none came.
windowShown() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}
