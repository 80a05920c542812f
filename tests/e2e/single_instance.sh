#!/usr/bin/env bash
# A second start of the program restores the running instance's minimised
# window and exits at once without creating a window of its own. Runs with a
# small window manager, so that minimising means what it means on a desktop.
source "$(dirname "$0")/lib/e2e_lib.sh"

wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/.*Map State: //p'; }
shown_normally() { [ "$(wm_state "$1")" = Normal ] && [ "$(map_state "$1")" = IsViewable ]; }
minimised() { [ "$(wm_state "$1")" = Iconic ]; }

start_window_manager
start_app
FIRST=$E2E_PID
wait_for main_visible || fail "the main window did not appear"
WINDOW=$(main_window)
# Minimising needs the window manager to have taken the window on.
wait_for shown_normally "$WINDOW" || fail "the window manager did not take the window on"
E2E_WAIT=2
for _ in $(seq 1 5); do
    xdotool windowminimize "$WINDOW"
    wait_for minimised "$WINDOW" && break
done
minimised "$WINDOW" || fail "the window did not minimise (state: $(wm_state "$WINDOW"))"
E2E_WAIT=60

# The second start, watched for any window it creates.
xev -root -event substructure >"$E2E_WORK/xev.log" 2>&1 &
XEV=$!
E2E_PIDS+=("$XEV")
sleep 0.3
started=$(date +%s%N)
rc=0
(cd "$E2E_WORK/app" && exec timeout 20 wine ./KVX_GMouse.exe) >/dev/null 2>&1 || rc=$?
took_ms=$((($(date +%s%N) - started) / 1000000))
sleep 0.5
kill "$XEV" 2>/dev/null || true
[ $rc -ne 124 ] || fail "the second start did not end within 20 s"
echo "the second start ended with $rc after $took_ms ms"
[ $took_ms -lt 10000 ] || fail "the second start took $took_ms ms to end"
created=$(grep -c '^CreateNotify' "$E2E_WORK/xev.log" || true)
[ "$created" -eq 0 ] || fail "the second start created $created X windows"
[ "$(xdotool search --name "^$E2E_TITLE\$" | wc -l)" -eq 1 ] || fail "more than one window carries the title"

wait_for shown_normally "$WINDOW" || fail "the first window was not restored ($(wm_state "$WINDOW"), $(map_state "$WINDOW"))"
screenshot_main restored
kill -0 "$FIRST" || fail "the first instance ended"
