#!/usr/bin/env bash
# Recording with the real program: the first macro of the first group is
# recorded while xdotool types "abc" on the X keyboard (the low-level
# keyboard hook sees it as real input), and the group file then holds six
# key events: press and release of A, B and C, the last pause 20 ms. The
# macro then goes on button 4 through its button menu (row 9, the first
# group, its first macro), and after apply the mouse plays it from slot 5:
# its stream holds the six key events.
source "$(dirname "$0")/lib/e2e_lib.sh"
source "$(dirname "$0")/lib/macro_lib.sh"

GROUP_FILE="$E2E_WORK/app/skins/1_INI_EN/macro/Office.dat"

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
sleep 2
click_at 95 210  # the macro tab
click_at 300 104 # the first group
click_at 300 128 # its first macro
click_region skin_mac.ini 4
sleep 0.5
xdotool type --delay 200 abc
sleep 1
click_region skin_mac.ini 4
sleep 1
events=$(macro_events "$GROUP_FILE")
echo "recorded: $events"
set -- $events
[ "${1:-0}" = 6 ] || fail "the macro holds ${1:-no} events after recording abc (hooks may not see xdotool's keys)"
i=0
for expected in 1:65 2:65 1:66 2:66 1:67 2:67; do
    i=$((i + 1))
    shift
    case "$1" in "$expected":*) ;; *) fail "event $i is $1, not $expected" ;; esac
    pause=${1##*:}
    if [ $i -lt 6 ]; then [ "$pause" -gt 0 ] || fail "event $i has no pause"; else [ "$pause" = 20 ] || fail "last pause $pause"; fi
done

# Button 4 plays the recorded macro: button menu row 9, group 1 (Office, 6 macros), macro 1.
click_region skin_main.ini 6 # the main tab
sleep 1
click_region skin_main.ini 24
wait_for visible MainMenuDlg || fail "the button menu of button 4 did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 9 26
wait_for visible SubMenuDlg || fail "the macro group list did not open"
geometry_of SubMenuDlg SUB
menu_row_at SUB 1 24
# The macro choice menu ends level with the group's row: 6 macros, so 5 rows above the list's top.
xdotool mousemove --sync $((SUB_X + 160 + 40)) $((SUB_Y - 5 * 24 + 12))
sleep 0.4
click_here
wait_for gone MainMenuDlg || fail "the menus stayed open after the macro choice"
apply
E2E_WAIT=20 wait_for config_is Config0 K4 256 || fail "config.ini holds K4=$(config_value Config0 K4), not 256"
# Button 4 is device slot 5: press and release of A, B and C (device codes 4, 5, 6).
recording_in_slot_5() { [ "$(slot_macro_keys 5 6)" = "04 04 05 05 06 06 " ]; }
E2E_WAIT=20 wait_for recording_in_slot_5 || fail "slot 5 plays '$(slot_macro_keys 5 6)', not the recorded keys"
close_from_outside
