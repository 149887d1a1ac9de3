# Shared by the end-to-end tests: a virtual X display of their own, a throw-away
# home, polling with time limits, and pictures of windows. Sourced, not run.
#
# Every wait polls with a time limit and fails the test when it runs out, so
# that a test fails rather than hangs; the limits are generous for a loaded
# two-core machine.

set -euo pipefail

# The folder every file of the test goes into; removed at exit with every
# process the test started.
work="$(mktemp -d "${TMPDIR:-/tmp}/saltrove-e2e.XXXXXX")"
started_pids=()

cleanup() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${started_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    if [[ -n ${KEEP_E2E_FILES:-} ]]; then
        echo "files kept in $work"
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT

step() { echo "--- $*"; }

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_until <seconds> <command...>: runs the command every fifth of a second
# until it succeeds; false when the time runs out.
wait_until() {
    local limit=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [[ $(date +%s) -lt $limit ]] || return 1
        sleep 0.2
    done
}

# start_display: an Xvfb on a display number it picks itself (free, whatever
# else runs beside this test); sets DISPLAY.
start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$work/display" >"$work/xvfb.log" 2>&1 &
    started_pids+=($!)
    wait_until 60 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
}

# make_home: a home of the test's own, with the settings, data and runtime
# folders below it and nothing of the real user's in reach.
make_home() {
    export HOME="$work/home"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CACHE_HOME="$HOME/.cache"
    export XDG_RUNTIME_DIR="$HOME/runtime"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    # No desktop environment: Qt's own dialogs, no session bus.
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME
    unset QT_QUICK_CONTROLS_STYLE QML_IMPORT_PATH QT_LOGGING_RULES QT_MESSAGE_PATTERN
}

# running <pid>: true while the process runs (an ended child that was not yet
# waited for does not count).
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}

# visible_window <pid> [name]: prints the id of a visible window of the
# process (whose WM_NAME matches name, if given); false if there is none.
# Qt leaves WM_NAME empty on a window without a title of its own (the main
# windows), so those are found by their process alone.
visible_window() {
    local ids
    if [[ $# -gt 1 ]]; then
        ids=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null) || return 1
    else
        ids=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null) || return 1
    fi
    [[ -n $ids ]] && head -n 1 <<<"$ids"
}

# wait_for_window <pid> <seconds> [name]: prints the window's id once it is
# mapped.
wait_for_window() {
    local pid=$1 limit=$(($(date +%s) + $2))
    shift 2
    local id
    until id=$(visible_window "$pid" "$@"); do
        running "$pid" || fail "the program ended before it showed a window"
        [[ $(date +%s) -lt $limit ]] || fail "no window${1:+ named $1} appeared"
        sleep 0.2
    done
    echo "$id"
}

# focus <window>: gives the window the keyboard focus (there is no window
# manager to do it).
focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# shot <window> <name>: saves the window as $work/<name>.png.
shot() { "$probe" grab "$1" "$work/$2.png"; }

# colours <name> <x> <y> <w> <h>: the number of colours in a region of a
# saved picture, the region in per cent of the picture.
colours() { "$probe" colours "$work/$1.png" "${@:2}"; }

# region_shows_something <window> <name> <x> <y> <w> <h>: takes a picture and
# is true when the region is not one flat colour (it holds text or lines).
region_shows_something() {
    shot "$1" "$2" && [[ $(colours "$2" "${@:3}") -gt 8 ]]
}

# region_changed <window> <before> <name> <x> <y> <w> <h>: takes a picture and
# is true when at least one per cent of the region differs from the earlier
# picture named before.
region_changed() {
    shot "$1" "$3" && [[ $("$probe" differs "$work/$2.png" "$work/$3.png" "${@:4}") -ge 1 ]]
}

not_running() { ! running "$1"; }

# close_window <window> <pid> <seconds>: asks the window to close, as a
# window manager's close button does, and waits for the process to end; sets
# exit_status, false if it still runs when the time runs out.
close_window() {
    "$probe" close "$1" || return 1
    wait_for_exit "$2" "$3"
}

# wait_for_exit <pid> <seconds>: waits for the process and sets exit_status;
# false if it is still running when the time runs out.
wait_for_exit() {
    wait_until "$2" not_running "$1" || return 1
    exit_status=0
    wait "$1" || exit_status=$?
}

# settings_value <file> <key>: the value of a key in a Qt settings file.
settings_value() { sed -n "s/^$2=//p" "$1"; }
