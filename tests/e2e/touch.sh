#!/usr/bin/env bash
# The built touch program on a virtual X display, with the sample cookbook as
# the recipes folder of the documents folder (its first-run collection): it
# shows the titles, a click on one opens the recipe, and closing the window
# ends the program cleanly, without a QML warning on the way.
#
#   tests/e2e/touch.sh <saltrovetouch> <screenprobe> <sample cookbook> <QML import path>
set -euo pipefail
saltrovetouch="$1"
probe="$2"
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

start_display
make_home
mkdir -p "$HOME/Documents"
cp -r "$3" "$HOME/Documents/recipes"
export QML_IMPORT_PATH="$4"
log="$work/saltrovetouch.log"

# Regions in per cent of the 480 by 640 window: the title list below the
# header and the search field, and the header with the page's title.
title_list=(4 20 70 40)
header=(20 0 75 8)
# Where a click lands on the second title.
title_click=(120 190)

step "start on the recipes folder of the documents folder"
"$saltrovetouch" >"$log" 2>&1 &
pid=$!
started_pids+=("$pid")
window=$(wait_for_window "$pid" 120)
wait_until 60 region_shows_something "$window" titles "${title_list[@]}" ||
    fail "the title list shows nothing"

step "a click on a title opens the recipe page"
xdotool mousemove --window "$window" "${title_click[@]}" click 1
wait_until 30 region_changed "$window" titles recipe "${header[@]}" ||
    fail "clicking a title did not open a page with another title"
region_shows_something "$window" recipe "${title_list[@]}" || fail "the recipe page is blank"

step "closing the window ends the program"
close_window "$window" "$pid" 60 || fail "the program did not end: $(cat "$log")"
[[ $exit_status -eq 0 ]] || fail "exit status $exit_status after closing the window"
if grep -E "qrc:|QML|Warning|Critical" "$log"; then
    fail "the program reported problems (above)"
fi
echo "touch program: all checks passed"
