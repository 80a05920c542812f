#!/usr/bin/env bash
# The mouse pulled out while the program runs: the status warning appears and
# the window comes out of the tray; plugged in again, the warning goes away.
# A key of the mouse still reaches the program afterwards.
source "$(dirname "$0")/lib/e2e_lib.sh"

# Button 2 of configuration 0 becomes the consumer key 23 (the config file is UTF-16).
python3 - "$E2E_WORK/app/skins/config/config.ini" <<'PY'
import sys
p = sys.argv[1]
t = open(p, encoding="utf-16").read()
head, sep, rest = t.partition("[Config0]")
rest = rest.replace("K2=3", "K2=23", 1)
open(p, "w", encoding="utf-16", newline="").write(head + sep + rest)
PY

start_app
wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not finish"
[ "$(visible_windows)" -eq 1 ] || fail "a warning is showing with the mouse plugged in"

WID=$(main_window)
xdotool key --window "$WID" alt+F4
wait_for main_hidden || fail "the close box did not hide the window"

mouse_command unplug
two_windows() { [ "$(visible_windows)" -ge 2 ]; }
wait_for two_windows || fail "no status warning after the mouse was unplugged"
main_visible || fail "the main window stayed hidden after the removal"
screenshot_main unplugged

mouse_command plug
one_window() { [ "$(visible_windows)" -eq 1 ]; }
wait_for one_window || fail "the status warning stayed after the mouse came back"

# The status reader and the macro player serve the mouse again: button 2
# (device slot 3) carries a consumer key, which the program sends as 0x17.
click_reaches_program() { [ "$(reports_with_command 17)" -ge 1 ]; }
mouse_command click 3
wait_for click_reaches_program || fail "a key of the replugged mouse was not served"

close_from_outside
wait_for process_gone "$E2E_PID" || fail "WM_CLOSE did not end the program"
