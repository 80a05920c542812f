#!/usr/bin/env bash
# Quitting from the tray under Wine: the real exe with the simulated mouse, in
# a window manager's system tray; after a right click on the icon, "Exit" is
# clicked and the script times, from that click, the finish request and
# command 0x20 reaching the mouse, and the end of the process. Goal: all
# within 0.5 s.
#   bash tools/bench/quit_time.sh [folder holding KVX_GMouse.exe, default build/win]
source "$(dirname "$0")/../../tests/e2e/lib/e2e_lib.sh"
source "$E2E_SOURCE/tests/e2e/lib/tray_lib.sh"
start_tray

now_ms() { echo $(($(date +%s%N) / 1000000)); }
log_has() { grep -q "^[0-9]* set 07 $1" "$KVX_GMOUSE_SIM_LOG" 2>/dev/null; }

runs=${QUIT_RUNS:-3}
for run in $(seq 1 "$runs"); do
    : >"$KVX_GMOUSE_SIM_LOG"
    start_app
    wait_for main_visible || fail "the main window did not appear"
    wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not finish"
    wait_for tray_icon_shown || fail "no icon appeared in the tray"
    sleep 2 # idle, as a user would be
    : >"$KVX_GMOUSE_SIM_LOG"

    xdotool mousemove $(tray_icon) click 3
    wait_for menu_open || fail "a right click on the tray icon opened no menu"
    eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
    xdotool mousemove $((X + WIDTH / 3)) $((Y + HEIGHT * 3 / 4))
    clicked=$(now_ms)
    xdotool click 1
    finish= close= gone=
    deadline=$((clicked + 20000))
    while [ -z "$gone" ] && [ "$(now_ms)" -lt $deadline ]; do
        [ -z "$finish" ] && log_has "18 10" && finish=$(($(now_ms) - clicked))
        [ -z "$close" ] && log_has "20 00 00" && close=$(($(now_ms) - clicked))
        process_gone "$E2E_PID" && gone=$(($(now_ms) - clicked))
        sleep 0.01
    done
    [ -z "$close" ] && log_has "20 00 00" && close=$gone
    echo "quit_run${run}_finish_request_ms: ${finish:-never}"
    echo "quit_run${run}_command_20_ms: ${close:-never}"
    echo "quit_run${run}_process_gone_ms: ${gone:-more than 20000}"
    [ -n "$gone" ] || kill "$E2E_PID" 2>/dev/null
done
