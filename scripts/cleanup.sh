# Sourced: one clean-up for the whole script. Each step registered with onExit runs when
# the script ends, however it ends (success, failure or interrupt), the newest first; a
# failing step does not keep the others from running. Sourcing it twice changes nothing.
if [ -z "${cleanupSteps+set}" ]; then
    cleanupSteps=()
    onExit() { cleanupSteps=("$1" "${cleanupSteps[@]}"); }
    runCleanup() {
        local step
        for step in "${cleanupSteps[@]}"; do
            eval "$step" || true
        done
        cleanupSteps=()
    }
    trap runCleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
fi

# A scratch folder of mode 700 that is removed at the end: scratchFolder NAME.
scratchFolder() {
    local folder
    folder=$(mktemp -d)
    onExit "rm -rf '$folder'"
    printf -v "$1" '%s' "$folder"
}
