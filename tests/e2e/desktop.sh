#!/usr/bin/env bash
# The built desktop program, driven on a virtual X display as a person would:
# a first start without settings, "Open collection" with its shortcut and the
# folder typed into the file dialog, a click on a title, "Quit" with its
# shortcut; then a second start on the stored collection, ended by closing
# the window. Checks what the window shows and what the settings file holds.
#
#   tests/e2e/desktop.sh <saltrove> <screenprobe> <sample cookbook>
set -euo pipefail
saltrove="$1"
probe="$2"
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

start_display
make_home
cookbook="$work/My Cookbook"
cp -r "$3" "$cookbook"
settings="$XDG_CONFIG_HOME/vantrel.org/Saltrove.conf"
log="$work/saltrove.log"

# Places in the window, at the size the test gives it; regions in per cent
# of its width and height. The upper dock group on the left holds the folder
# tree ("Recipes", in front at first) and the title list ("Title"), with
# their tabs below them, under the toolbar's icons (a full icon theme stands
# in where the display names none); the recipe view fills the middle.
width=1000
height=700
list_area=(1.5 10 25 35)
recipe_view=(35 15 60 70)
status_bar=(0 96 40 4)
# Clicks, in pixels from the window's corner: the "Title" tab, and the third
# row of the title list, below its search field.
title_tab=(25 352)
title_click=(60 118)

start() {
    "$saltrove" >>"$log" 2>&1 &
    pid=$!
    started_pids+=("$pid")
    window=$(wait_for_window "$pid" 120)
    # Without a window manager the window opens at whatever size Qt picks;
    # a fixed one puts the panes where the regions above expect them.
    xdotool windowmove --sync "$window" 0 0 2>/dev/null || xdotool windowmove "$window" 0 0
    xdotool windowsize --sync "$window" "$width" "$height" 2>/dev/null ||
        xdotool windowsize "$window" "$width" "$height"
}

step "first start: no settings, no recipes folder"
start
wait_until 60 region_shows_something "$window" intro "${recipe_view[@]}" ||
    fail "the recipe view shows nothing (the introduction was expected)"
shot "$window" empty-list
[[ $(colours empty-list "${list_area[@]}") -le 4 ]] ||
    fail "the folder tree is not empty without a collection"
# "Parsing <documents>/recipes/", then "Found 0 recipes".
wait_until 30 region_shows_something "$window" status "${status_bar[@]}" ||
    fail "the status bar shows no message"

step "Open collection (Ctrl+O), the folder typed into the dialog"
focus "$window"
xdotool key --clearmodifiers ctrl+o
dialog=$(wait_for_window "$pid" 60 '^Open Folder$')
focus "$dialog"
xdotool type --delay 20 "$cookbook"
# The completer may take the first Return; the dialog takes the next.
closed() { ! visible_window "$pid" '^Open Folder$' >/dev/null; }
for _ in 1 2 3 4 5; do
    closed && break
    focus "$dialog" || true
    xdotool key Return
    wait_until 5 closed || true
done
closed || fail "the file dialog did not take the folder"
wait_until 60 region_shows_something "$window" folders "${list_area[@]}" ||
    fail "the folder tree shows nothing after opening the collection"

step "the title list, from its tab"
shot "$window" before-tab
xdotool mousemove --window "$window" "${title_tab[@]}" click 1
wait_until 30 region_changed "$window" before-tab titles "${list_area[@]}" ||
    fail "the title tab did not bring the title list to the front"
region_shows_something "$window" titles "${list_area[@]}" || fail "the title list is empty"

step "a click on a title shows the recipe"
shot "$window" before-click
xdotool mousemove --window "$window" "${title_click[@]}" click 1
wait_until 30 region_changed "$window" before-click recipe "${recipe_view[@]}" ||
    fail "clicking a title did not change the recipe view"

step "Quit (Ctrl+Q) ends the program and writes the settings"
focus "$window"
xdotool key --clearmodifiers ctrl+q
wait_for_exit "$pid" 60 || fail "the program did not end: $(cat "$log")"
[[ $exit_status -eq 0 ]] || fail "exit status $exit_status after Quit"
[[ -f $settings ]] || fail "no settings file at $settings"
location=$(settings_value "$settings" location)
[[ $location == "$cookbook" || $location == "\"$cookbook\"" ]] ||
    fail "stored location is '$location', expected '$cookbook'"
[[ -n $(settings_value "$settings" windowState) ]] || fail "no window state stored"

step "second start: the stored collection, closed by its window"
start
wait_until 60 region_shows_something "$window" stored-titles "${list_area[@]}" ||
    fail "the stored collection's titles did not appear"
close_window "$window" "$pid" 60 || fail "the program did not end: $(cat "$log")"
[[ $exit_status -eq 0 ]] || fail "exit status $exit_status after closing the window"
location=$(settings_value "$settings" location)
[[ $location == "$cookbook" || $location == "\"$cookbook\"" ]] ||
    fail "the stored location changed to '$location'"
if grep -E "QML|qt\.|Warning|Critical" "$log"; then
    fail "the program reported problems (above)"
fi
echo "desktop program: all checks passed"
