# Sourced: what CMake wrote for the scripts into a build folder's garagon-build.env, one
# name=value a line, read as text and never run: buildValue BUILD-FOLDER NAME.
buildValue() {
    local line
    while IFS= read -r line; do
        [ "${line%%=*}" != "$2" ] || { printf '%s\n' "${line#*=}"; return 0; }
    done <"$1/garagon-build.env"
    echo "no $2 in $1/garagon-build.env" >&2
    return 1
}
