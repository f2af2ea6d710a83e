# Sourced: within20s COMMAND... runs the command every 0.2 s until it succeeds, for 20 s
# at most, and fails when it never did. windowShown PATTERN waits so for a shown window whose
# title matches the regular expression, as shownNow tells it; a script for another display
# server defines shownNow anew.
within20s() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

shownNow() {
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

windowShown() {
    within20s shownNow "$1"
}
