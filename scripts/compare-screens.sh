#!/usr/bin/env bash
# Shows that a commit changes no pixel of the window and its dialogs: builds the commit
# given (the parent by default) and HEAD side by side, drives each program by real keys
# through the same states and compares their pictures with `compare -metric AE`. The Qt
# program runs on an X server of its own, the Windows program under Wine at 96 and at
# 144 dpi. The states: the window with the demo savegame, "Wagen suchen" empty and with
# "er" typed, and "Sicherungen von …". Prints the differing pixels of each and fails on
# any. Needs what scripts/test.sh installs, and ImageMagick.
#   scripts/compare-screens.sh [COMMIT]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/cleanup.sh

commits=("$(git rev-parse "${1:-HEAD^}")" "$(git rev-parse HEAD)")
scratchFolder work
source scripts/wine-prefix.sh
# Dates as the backups dialog shows them, the same on every run.
export TZ=UTC

build() { # COMMIT FOLDER
    git worktree add --quiet --detach "$2" "$1"
    onExit "git worktree remove --force '$2'"
    cmake -S "$2" -B "$2/qt" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$2/qt" -j2 --target garagon >/dev/null
    (cd "$2" && cmake --preset windows -DBUILD_TESTING=OFF >/dev/null &&
        cmake --build build/windows -j2 --target garagon >/dev/null)
}

# A savegame with one backup beside it, both of fixed dates, in the program's folder.
prepare() { # FOLDER
    cp "$1/Demo-Spielstand.sav" "$1/Spielstand.sav"
    cp "$1/Demo-Spielstand.sav" "$1/Spielstand.sav.~1"
    touch -d '2026-01-02 03:04:05' "$1/Spielstand.sav.~1"
    touch -d '2026-01-03 04:05:06' "$1/Spielstand.sav"
}

# Pictures of the screen until it stands still: the last four alike, or two that take
# turns as a caret blinks. Keeps the one or two pictures of the state as NAME-*.png.
settle() { # NAME
    local shots=() shot
    for step in $(seq 60); do
        shot=$1-shot$step.png
        import -window root "$shot"
        shots+=("$shot")
        if [ ${#shots[@]} -ge 4 ]; then
            local a=${shots[-4]} b=${shots[-3]} c=${shots[-2]} d=${shots[-1]}
            if same "$c" "$d" && same "$b" "$d" && same "$a" "$d"; then
                cp "$d" "$1-1.png"
                return
            fi
            if same "$a" "$c" && same "$b" "$d"; then
                cp "$c" "$1-1.png"
                cp "$d" "$1-2.png"
                return
            fi
        fi
        sleep 0.3
    done
    echo "$1 did not settle" >&2
    return 1
}
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }

waitFor() { # TITLE
    xdotool search --sync --onlyvisible --name "$1" >/dev/null
}

# Drives one program through the states; its pictures go to PREFIX-STATE-*.png.
drive() { # PREFIX COMMAND...
    local prefix=$1
    shift
    "$@" &
    local program=$!
    onExit "kill $program 2>/dev/null || true"
    waitFor 'Spielstand.sav'
    settle "$prefix-window"
    xdotool key ctrl+f
    waitFor '^Wagen suchen$'
    settle "$prefix-search"
    xdotool type er
    settle "$prefix-query"
    xdotool key Escape
    xdotool key shift+F10
    sleep 0.5
    xdotool key h
    waitFor '^Sicherungen von'
    settle "$prefix-backups"
    xdotool key Escape
    kill "$program"
    wait "$program" 2>/dev/null || true
}

runQt() { # SIDE
    local bin=$work/${1}/qt/bin
    prepare "$bin"
    HOME=$work/home-$1 QT_QPA_PLATFORM=xcb drive "$work/$1-qt" "$bin/garagon" "$bin/Spielstand.sav"
}

runWine() { # SIDE DPI
    local bin=$work/$1/build/windows/bin
    prepare "$bin"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    drive "$work/$1-wine$2" wine "$bin/garagon.exe" "Z:${bin//\//\\}\\Spielstand.sav"
}

build "${commits[0]}" "$work/base"
build "${commits[1]}" "$work/head"
failed=0
for run in qt wine96 wine144; do
    tests/support/with_display.sh bash -c "$(declare -f prepare settle same waitFor drive runQt runWine)
        source scripts/cleanup.sh; work='$work'; set -euo pipefail
        case $run in qt) runQt base; runQt head ;; wine*) runWine base ${run#wine}; runWine head ${run#wine} ;; esac"
    for state in window search query backups; do
        # Each picture of a state must be one of the other side's.
        differing=0
        for side in base head; do
            other=$([ $side = base ] && echo head || echo base)
            for picture in "$work/$side-$run-$state"-[12].png; do
                best=$(for match in "$work/$other-$run-$state"-[12].png; do
                    compare -metric AE "$picture" "$match" null: 2>&1 || true
                    echo
                done | sort -g | head -1)
                [ "$best" = 0 ] || differing=$best
            done
        done
        echo "$run $state: $differing differing pixels"
        [ "$differing" = 0 ] || failed=1
    done
done
exit $failed
