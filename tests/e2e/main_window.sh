#!/usr/bin/env bash
# The program's life from start to exit: the window with its title and main
# page, the configuration set written into the mouse, the close box hiding
# it, a second start bringing it back, and WM_CLOSE from outside ending it
# after the finish request and command 0x20.
source "$(dirname "$0")/lib/e2e_lib.sh"

start_app
FIRST=$E2E_PID
wait_for main_visible || fail "the main window did not appear"

# The initial download leaves the settings area in the mouse's memory file
# (the first model: header byte 1 only, configuration 0 → 0x03).
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the simulated memory was never saved"
[ "$(memory_byte 1)" = 03 ] || fail "header byte 1 is $(memory_byte 1), not 03"
[ "$(memory_byte 0)" = ff ] || fail "the first model's header byte 0 was written"
for check in "64 00" "65 01" "66 02" "67 6e" "92 01" "93 02"; do
    set -- $check
    [ "$(memory_byte "$1")" = "$2" ] || fail "memory byte $1 is $(memory_byte "$1"), not $2"
done
[ "$(reports_with_command 18)" -gt 100 ] || fail "too few memory transfers"

xdotool mousemove 0 0 # nothing hovered
sleep 1 # let the first paint settle
screenshot_main main_page
compare_with_reference main_page 0.02
differs_from_background main_page main_normal.jpg

# The close box (Alt+F4 is its system command) only hides the window.
WID=$(main_window)
xdotool windowactivate --sync "$WID" >/dev/null 2>&1 || xdotool windowfocus --sync "$WID" >/dev/null 2>&1 || true
xdotool key --window "$WID" alt+F4
wait_for main_hidden || fail "the close box did not hide the window"
kill -0 "$FIRST" || fail "the program ended on the close box"

# A second start brings the first one's window back and ends by itself.
start_app
SECOND=$E2E_PID
wait_for process_gone "$SECOND" || fail "the second start did not end"
wait_for main_visible || fail "the second start did not restore the window"

# WM_CLOSE from another program ends it, after finish and command 0x20.
close_from_outside
wait_for process_gone "$FIRST" || fail "WM_CLOSE did not end the program"
tail -n 3 "$KVX_GMOUSE_SIM_LOG" >"$E2E_ARTIFACTS/last-reports.txt"
grep -q "^[0-9]* set 07 18 10" <(tail -n 3 "$KVX_GMOUSE_SIM_LOG") || fail "no finish request at the end"
tail -n 1 "$KVX_GMOUSE_SIM_LOG" | grep -q "^[0-9]* set 07 20 00 00" || fail "command 0x20 was not the last report"
