#!/usr/bin/env bash
# The second model (product ID 0x1E01) at start: the program says it resets
# the settings, writes the factory settings into config.ini, downloads them
# with the second model's header, and says it is done.
source "$(dirname "$0")/lib/e2e_lib.sh"
export KVX_GMOUSE_SIM_PID=1E01

# A user setting the factory reset must replace: button 0 of configuration 1.
edit_config Config1 K0=1 K0=7 || fail "could not prepare config.ini"

start_app
# Two warnings (resetting, done) are confirmed as the user would, with Enter.
finished() { [ -s "$KVX_GMOUSE_SIM_LOG" ] && [ "$(reports_with_command '18 10')" -ge 1 ]; }
confirmed=0
confirm_warnings() {
    local w
    for w in $(xdotool search --onlyvisible --classname "kvx_gmouse.exe" 2>/dev/null); do
        [ "$w" = "$(main_window)" ] && continue
        xdotool key --window "$w" Return 2>/dev/null && confirmed=$((confirmed + 1))
    done
    finished && main_visible && [ "$(visible_windows)" -eq 1 ]
}
wait_for confirm_warnings || fail "the start did not end with the main window alone (confirmed $confirmed)"
[ "$confirmed" -ge 2 ] || fail "expected the two warnings of the reset, confirmed $confirmed"

wait_for test -s "$KVX_GMOUSE_SIM" || fail "no memory file"
[ "$(memory_byte 0)" = 5a ] || fail "the header is not the second model's (byte 0 = $(memory_byte 0))"
[ "$(config_value Config1 K0)" = 1 ] || fail "config.ini kept K0=$(config_value Config1 K0) instead of the factory value"

close_from_outside
wait_for process_gone "$E2E_PID" || fail "WM_CLOSE did not end the program"
