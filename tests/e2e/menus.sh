#!/usr/bin/env bash
# The popup menus with the real program: the primary-click guard (tip 7), a
# multimedia key put on button 3 through the button menu and its sub-menu and
# applied to the mouse, a library macro and a gun preset (a left-button
# macro) applied, configuration 4 chosen in the configuration menu and
# applied, the language menu switching to Italian and back, a lighting
# effect chosen on the LED page and applied, and a button menu
# low on the screen opening above its label. The menus' pictures are compared
# with references.
source "$(dirname "$0")/lib/e2e_lib.sh"

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the simulated memory was never saved"
sleep 2
geometry_of "$E2E_TITLE" MAIN || fail "no main window"

# Button 0 is the only left click of configuration 0: its menu is refused with tip 7.
click_region skin_main.ini 20
sleep 1
visible MainMenuDlg && fail "the button menu of the only left click opened"
[ "$(visible_windows)" -ge 2 ] || fail "no warning in place of the menu"
xdotool key Return
sleep 0.5

# Button 3 (region 23): button menu, row 8 (multimedia), entry 3 (code 25, usage 0x18A).
click_region skin_main.ini 23
wait_for visible MainMenuDlg || fail "the button menu did not open"
geometry_of MainMenuDlg MENU
[ "$MENU_Y" -ge $((MAIN_Y + 390)) ] || fail "the button menu is not below its region"
menu_row_at MENU 8 26
wait_for visible SubMenuDlg || fail "the multimedia sub-menu did not open"
geometry_of SubMenuDlg SUB
[ "$SUB_X" -eq $((MENU_X + 176)) ] || fail "the sub-menu is not beside the menu ($SUB_X)"
sleep 0.5
screenshot_area button_menu "$MENU_X" "$MENU_Y" 176 338
compare_with_reference button_menu 0.02
screenshot_area multimedia_menu "$SUB_X" "$SUB_Y" 160 240
compare_with_reference multimedia_menu 0.02
menu_row_at SUB 3 24
click_here
wait_for gone MainMenuDlg || fail "the menu stayed open after the choice"
apply
E2E_WAIT=20 wait_for config_is Config0 K3 25 || fail "config.ini holds K3=$(config_value Config0 K3), not 25"
# Slot 4 of configuration 0 (address 0x0B) is a consumer key whose directory entry holds usage 0x18A.
consumer_key_in_slot_4() {
    [ $((0x$(memory_byte $((0x0B))) & 0x1F)) -eq $((0x0F)) ] &&
        [ "$(memory_byte $((0xA0 + 30 + 3)))$(memory_byte $((0xA0 + 30 + 4)))" = 8a01 ]
}
E2E_WAIT=20 wait_for consumer_key_in_slot_4 || fail "slot 4 holds $(memory_byte $((0x0B))), not the consumer key 0x18A"

# Button 4 (region 24): button menu row 9, group 2 ("Games", 5 macros), its first macro: code 512.
click_region skin_main.ini 24
wait_for visible MainMenuDlg || fail "the button menu of button 4 did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 9 26
wait_for visible SubMenuDlg || fail "the macro group list did not open"
geometry_of SubMenuDlg SUB
[ "$SUB_Y" -eq $((MENU_Y + 7 * 26)) ] || fail "the group list of 2 groups is not 7 rows down"
menu_row_at SUB 2 24
# The macro choice menu ends level with the group's row: 5 macros, so 3 rows above the list's top.
xdotool mousemove --sync $((SUB_X + 160 + 40)) $((SUB_Y - 3 * 24 + 12))
sleep 0.4
click_here
wait_for gone MainMenuDlg || fail "the menus stayed open after the macro choice"

# Button 8 (region 27): button menu row 12, the first gun preset: code 50, a left-button macro.
click_region skin_main.ini 27
wait_for visible MainMenuDlg || fail "the button menu of button 8 did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 12 26
wait_for visible SubMenuDlg || fail "the gun preset list did not open"
geometry_of SubMenuDlg SUB
menu_row_at SUB 1 24
click_here
wait_for gone MainMenuDlg || fail "the menus stayed open after the preset choice"

apply
E2E_WAIT=20 wait_for config_is Config0 K4 512 || fail "config.ini holds K4=$(config_value Config0 K4), not 512"
E2E_WAIT=20 wait_for config_is Config0 K7 50 || fail "config.ini holds K7=$(config_value Config0 K7), not 50"
[ "$(config_value Config0 LEFT_MAC07)" = 1 ] || fail "the gun preset is no left-button macro in config.ini"
# Slot 5 plays a library macro from the address of its directory entry; slot 8 a left-button macro.
library_macro_in_slot_5() {
    local code address
    code=$((0x$(memory_byte $((0x0C))) & 0x1F))
    address=$((0x$(memory_byte $((0xC8 + 5))) + ((0x$(memory_byte $((0xC8 + 6))) & 0x3F) << 8)))
    { [ $code -eq $((0x0D)) ] || [ $code -eq $((0x0E)) ]; } && [ $address -ge $((0x400)) ] &&
        [ "$(memory_byte $address)" != ff ]
}
E2E_WAIT=20 wait_for library_macro_in_slot_5 || fail "slot 5 holds no library macro stream (byte $(memory_byte $((0x0C))))"
left_button_macro_in_slot_8() {
    local code=$((0x$(memory_byte $((0x0F))) & 0x1F))
    [ $code -eq $((0x1E)) ] || [ $code -eq $((0x1F)) ]
}
E2E_WAIT=20 wait_for left_button_macro_in_slot_8 || fail "slot 8 holds $(memory_byte $((0x0F))), no left-button macro"

# Configuration menu (region 10): the fourth configuration.
click_region skin_main.ini 10
wait_for visible MainMenuDlg || fail "the configuration menu did not open"
geometry_of MainMenuDlg MENU
sleep 0.5
screenshot_area configuration_menu "$MENU_X" "$MENU_Y" 166 124
compare_with_reference configuration_menu 0.02
menu_row_at MENU 4 31
click_here
wait_for gone MainMenuDlg || fail "the configuration menu stayed open"
E2E_WAIT=20 wait_for config_is Init CurConfig 3 || fail "CurConfig is $(config_value Init CurConfig), not 3"
apply
header_says_configuration_3() { [ "$(memory_byte 1)" = 63 ]; }
E2E_WAIT=20 wait_for header_says_configuration_3 || fail "header byte 1 is $(memory_byte 1), not 63 (configuration 3)"

# Language menu (region 4): Italian, then English again.
screenshot_main english
click_region skin_main.ini 4
wait_for visible MainMenuDlg || fail "the language menu did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 2 24
sleep 0.5
screenshot_area language_menu "$MENU_X" "$MENU_Y" 160 48
compare_with_reference language_menu 0.02
click_here
wait_for gone MainMenuDlg || fail "the language menu stayed open"
E2E_WAIT=20 wait_for config_is Init VER_SEL 6 || fail "VER_SEL is $(config_value Init VER_SEL), not 6"
italian() {
    screenshot_main italian
    [ "$(compare -metric AE "$E2E_ARTIFACTS/english.png" "$E2E_ARTIFACTS/italian.png" null: 2>&1 | cut -d' ' -f1)" -gt 3000 ]
}
E2E_WAIT=15 wait_for italian || fail "the window looks the same in Italian"
click_region skin_main.ini 4
wait_for visible MainMenuDlg || fail "the language menu did not open again"
geometry_of MainMenuDlg MENU
sleep 0.5
menu_row_at MENU 1 24
click_here
wait_for gone MainMenuDlg || fail "the language menu stayed open"
wait_for config_is Init VER_SEL 1 || fail "VER_SEL is $(config_value Init VER_SEL), not 1"
# The apply button's hover is all that may differ from the first English picture.
english_again() {
    screenshot_main english_again
    [ "$(compare -metric AE "$E2E_ARTIFACTS/english.png" "$E2E_ARTIFACTS/english_again.png" null: 2>&1 | cut -d' ' -f1)" -lt 8000 ]
}
E2E_WAIT=15 wait_for english_again || fail "the window did not come back to English"

# LED page: the lighting effect menu (region 35), effect 7 (row 8), applied.
click_region skin_main.ini 9
sleep 1
LIGHTING_BEFORE=$(memory_byte $((0x1C)))
click_region skin_color.ini 35
wait_for visible MainMenuDlg || fail "the lighting effect menu did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 8 27
click_here
wait_for gone MainMenuDlg || fail "the lighting effect menu stayed open"
apply
E2E_WAIT=20 wait_for config_is ShareData LED_TYPE 7 || fail "LED_TYPE is $(config_value ShareData LED_TYPE), not 7"
lighting_changed() { [ "$(memory_byte $((0x1C)))" != "$LIGHTING_BEFORE" ]; }
E2E_WAIT=20 wait_for lighting_changed || fail "the lighting mode byte stayed $LIGHTING_BEFORE"
click_region skin_main.ini 6
sleep 1

# Low on the screen, the button menu of button 3 opens above its label.
xdotool windowmove "$(main_window)" "$MAIN_X" 600
sleep 1
geometry_of "$E2E_TITLE" MAIN
[ "$MAIN_Y" -eq 600 ] || fail "the main window did not move ($MAIN_Y)"
click_region skin_main.ini 23
wait_for visible MainMenuDlg || fail "the button menu did not open low on the screen"
geometry_of MainMenuDlg MENU
[ $((MENU_Y + 338)) -le $((MAIN_Y + 356)) ] || fail "the button menu at $MENU_Y is not above its label"
sleep 0.5
screenshot_area menu_above_region "$MAIN_X" "$MAIN_Y" 420 420
