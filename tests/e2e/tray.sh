#!/usr/bin/env bash
# The notification-area icon in a real system tray (the window manager's dock,
# where Wine embeds its tray icons): a double click brings the hidden window
# back, a right click opens the two-item menu, "Show window" shows the window
# and "Exit" ends the program after the finish request and command 0x20.
source "$(dirname "$0")/lib/e2e_lib.sh"
source "$(dirname "$0")/lib/tray_lib.sh"
start_tray

start_app
FIRST=$E2E_PID
wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not finish"
wait_for tray_icon_shown || fail "no icon appeared in the tray"
echo "tray icon at $(tray_icon)"

# The close box's system command, from the keyboard of the focused window.
close_box() {
    local wid
    wid=$(main_window)
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || xdotool windowfocus --sync "$wid" >/dev/null 2>&1 || true
    xdotool key alt+F4
}

# Hidden by the close box, back with a double click on the icon.
close_box
wait_for main_hidden || fail "the close box did not hide the window"
xdotool mousemove $(tray_icon) click --repeat 2 --delay 60 1
wait_for main_visible || fail "a double click on the tray icon did not bring the window back"

# "Show window" from the menu brings it back too.
close_box
wait_for main_hidden || fail "the close box did not hide the window"
choose_from_tray_menu 1
wait_for menu_closed || fail "the tray menu stayed open"
wait_for main_visible || fail "\"Show window\" did not bring the window back"
kill -0 "$FIRST" || fail "the program ended on \"Show window\""

# "Exit" ends the program after telling the mouse.
choose_from_tray_menu 2
wait_for process_gone "$FIRST" || fail "\"Exit\" did not end the program"
tail -n 3 "$KVX_GMOUSE_SIM_LOG" >"$E2E_ARTIFACTS/last-reports.txt"
grep -q "^[0-9]* set 07 18 10" <(tail -n 3 "$KVX_GMOUSE_SIM_LOG") || fail "no finish request at the end"
tail -n 1 "$KVX_GMOUSE_SIM_LOG" | grep -q "^[0-9]* set 07 20 00 00" || fail "command 0x20 was not the last report"
