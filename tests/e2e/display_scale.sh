#!/usr/bin/env bash
# The program on a screen of 2880 × 1800 pixels, where it draws at display
# scale 2: the main window twice the skin's size, the LED page compared with a
# reference picture, and the regions reacting at their doubled places.
E2E_SCREEN=2880x1800
source "$(dirname "$0")/lib/e2e_lib.sh"

# Region n of a skin file at scale 2: a click at its doubled centre.
click_region2() {
    local x y
    read -r x y < <(region_centre "$1" "$2")
    click_at $((2 * x)) $((2 * y))
}

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not reach the mouse"
sleep 2
eval "$(xdotool getwindowgeometry --shell "$(main_window)")"
[ "${WIDTH}x${HEIGHT}" = 2000x1280 ] || fail "the main window is ${WIDTH}x${HEIGHT}, not twice the 1000x640 skin"

click_region2 skin_main.ini 9
xdotool mousemove 0 0
sleep 1
screenshot_main page_led_scale2
compare_with_reference page_led_scale2 0.02
