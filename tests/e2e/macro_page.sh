#!/usr/bin/env bash
# The macro page with the factory library: the tab opens the page with its
# three lists, a click on the first group opens it, a click on its first
# macro fills the event list. Reference screenshot of the page.
source "$(dirname "$0")/lib/e2e_lib.sh"

start_app
wait_for main_visible || fail "the main window did not appear"
sleep 1
WID=$(main_window)
eval "$(xdotool getwindowgeometry --shell "$WID")"

click_at() { # window pixels
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
    sleep 0.5
}

click_at 95 210          # the macro tab
click_at 300 104         # the first group row opens the group
click_at 300 128         # its first macro
sleep 1
screenshot_main macro_page
compare_with_reference macro_page 0.03
close_from_outside
