#!/usr/bin/env bash
# The key capture dialogs with the real program and its keyboard hook:
# the button menu's row 10 on button 5, the Ctrl and Shift switches and S
# pressed (with Ctrl and Shift held, which changes nothing) make button 5 a
# key combination in config.ini and, after apply, a Ctrl, Shift, S macro in
# the mouse; the event menu's "modify" on the first event of the first
# factory macro (left Ctrl) and F5 pressed make that event F5 in the list and
# the group file. Both dialogs are compared with reference pictures.
source "$(dirname "$0")/lib/e2e_lib.sh"
source "$(dirname "$0")/lib/macro_lib.sh"

GROUP_FILE="$E2E_WORK/app/skins/1_INI_EN/macro/Office.dat"
# VK of the first event of macro 0 in a group file (files hold VKs).
first_event_vk() { macro_events "$1" | awk '{ split($2, e, ":"); print e[2] }'; }
# Both the main window and a capture dialog (they bear the same title).
dialog_open() { [ "$(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null | wc -l)" -ge 2 ]; }
dialog_closed() { ! dialog_open; }
# A click at (x, y) of a dialog whose top-left corner is at (DX, DY) on the screen.
click_dialog() {
    xdotool mousemove --sync $((DX + $1)) $((DY + $2))
    sleep 0.2
    click_here
}

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the simulated memory was never saved"
sleep 2
geometry_of "$E2E_TITLE" MAIN || fail "no main window"
[ "$(first_event_vk "$GROUP_FILE")" = 162 ] || fail "the factory macro does not start with left Ctrl"

# --- a key combination for button 5 ---
click_region skin_main.ini 25
wait_for visible MainMenuDlg || fail "the button menu of button 5 did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 10 26
click_here
wait_for dialog_open || fail "row 10 opened no shortcut capture"
wait_for gone MainMenuDlg || fail "the button menu stayed open"
DX=$((MAIN_X + (MAIN_WIDTH - 480) / 2)) DY=$((MAIN_Y + (MAIN_HEIGHT - 330) / 2))
click_dialog 73 162  # Ctrl
click_dialog 181 162 # Shift
xdotool key ctrl+shift+s
sleep 1
xdotool mousemove --sync $((DX + 240)) $((DY + 230)) # off the buttons, for the picture
sleep 0.5
screenshot_area shortcut_capture_dialog "$DX" "$DY" 480 330
compare_with_reference shortcut_capture_dialog 0.03
click_dialog 260 285 # OK
wait_for dialog_closed || fail "OK did not close the shortcut capture"
apply
CANONICAL='33,Ctrl&split&162&split&Shift&split&160&split&Alt&split&&split&Win&split&&split&S&split&83'
E2E_WAIT=20 wait_for config_is Config0 K5 "$CANONICAL" || fail "config.ini holds K5=$(config_value Config0 K5)"
# Button 5 is device slot 6: a while-held macro (device function 14) of left Ctrl, left Shift and S.
combination_in_slot_6() {
    [ $((0x$(memory_byte $((0x07 + 6))) & 0x1F)) -eq 14 ] && [ "$(slot_macro_keys 6 3)" = "e0 e1 16 " ]
}
E2E_WAIT=20 wait_for combination_in_slot_6 ||
    fail "slot 6 holds function $(memory_byte $((0x07 + 6))) with keys '$(slot_macro_keys 6 3)'"

# --- one key for a macro event ---
click_region skin_main.ini 8 # the macro tab
click_at 300 104             # the first group
click_at 300 128             # its first macro
sleep 1
screenshot_area events_before $((MAIN_X + 462)) $((MAIN_Y + 96)) 300 60
# The event menu at the first event row, then its first row: modify.
xdotool mousemove --sync $((MAIN_X + 560)) $((MAIN_Y + 106)) click 3
wait_for visible MainMenuDlg || fail "no event menu on the first event"
geometry_of MainMenuDlg MENU
menu_row_at MENU 1 20
click_here
wait_for dialog_open || fail "modify opened no key capture"
DX=$((MAIN_X + 330)) DY=$((MAIN_Y + 280))
click_dialog 180 30 # its caption: the keyboard's focus comes to the program, nothing else happens
xdotool key F5
sleep 1
dialog_open || fail "pressing F5 closed the key capture"
xdotool key Escape
sleep 0.5
dialog_open || fail "Escape closed the key capture"
xdotool key F5
sleep 1
screenshot_area key_capture_dialog "$DX" "$DY" 360 200
compare_with_reference key_capture_dialog 0.03
click_dialog 112 152 # OK
wait_for dialog_closed || fail "OK did not close the key capture"
E2E_WAIT=10 wait_for test "$(first_event_vk "$GROUP_FILE")" = 116 ||
    fail "the first event is VK $(first_event_vk "$GROUP_FILE") in the group file, not F5 (116)"
sleep 0.5
screenshot_area events_after $((MAIN_X + 462)) $((MAIN_Y + 96)) 300 60
[ "$(compare -metric AE "$E2E_ARTIFACTS/events_before.png" "$E2E_ARTIFACTS/events_after.png" null: 2>&1 | cut -d' ' -f1)" -gt 50 ] ||
    fail "the event list still shows the old key"

close_from_outside
