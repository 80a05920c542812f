#!/usr/bin/env bash
# The macro library through the right-click menus of the macro page, with the
# real program: a new group and macro, keys recorded into it, a pause item
# and a lighting step inserted, a pause edited through the event menu, the
# lighting mode chosen in the value menu, repeat count 3; the macro put on
# button 4 through the button menu and applied (the mouse holds its stream
# with play count 3); renamed (the button keeps it); its group deleted (the
# button's code becomes 0 in config.ini and in the mouse); a group exported
# and imported under a new name; a single macro exported and imported into
# another group; the library reset to the factory groups. The open menus are
# compared with reference pictures.
source "$(dirname "$0")/lib/e2e_lib.sh"

MACROS="$E2E_WORK/app/skins/1_INI_EN/macro"
RESET="$E2E_WORK/app/skins/1_INI_EN/macroReset"

# The lists' rows are 20 pixels tall from 2 pixels below the list's top (96).
LIBRARY_X=300 EVENTS_X=600
row_y() { echo $((108 + 20 * $1)); }
# A right click at window pixel (x, y), then the menu it opens (MENU_*).
right_click_at() {
    window_origin
    xdotool mousemove --sync $((WX + $1)) $((WY + $2))
    sleep 0.2
    xdotool click 3
    wait_for visible MainMenuDlg || fail "no menu at ($1, $2)"
    geometry_of MainMenuDlg MENU
    sleep 0.4
}
# Library menu choice: right click at the row (or below the rows), then the menu's row.
library_menu() {
    right_click_at "$LIBRARY_X" "$(row_y "$1")"
    menu_row_at MENU "$2" 20
    click_here
    wait_for gone MainMenuDlg || fail "the library menu stayed open after row $2"
    sleep 0.5
}
apply() {
    local before
    before=$(grep -c '^[0-9]* set 07 18 10' "$KVX_GMOUSE_SIM_LOG" || true)
    click_region skin_main.ini 3
    applied() { [ "$(grep -c '^[0-9]* set 07 18 10' "$KVX_GMOUSE_SIM_LOG" || true)" -gt "$before" ]; }
    E2E_WAIT=30 wait_for applied || fail "the apply step did not download"
    sleep 1
}
config_is() { [ "$(config_value "$1" "$2")" = "$3" ]; }
# Keys typed into the window (the pointer rests on it, so X gives it the keyboard).
type_into_window() {
    xdotool type --delay 60 "$1"
    xdotool key Return
    sleep 0.8
}

# Macro `index` of a group file: "name|tokens after the name up to the last event".
macro_line() {
    python3 - "$1" "$2" <<'PY'
import sys
raw = open(sys.argv[1], "rb").read()
text = raw.decode("utf-16") if raw[:2] == b"\xff\xfe" else raw.decode("latin-1")
key = "%s=" % sys.argv[2]
line = next((l[len(key):] for l in text.splitlines() if l.startswith(key)), "")
t = [int(line[i:i + 3]) for i in range(0, len(line) - 2, 3)]
if len(t) < 81:
    sys.exit("no macro %s in %s" % (sys.argv[2], sys.argv[1]))
name = bytes(t[0:60]).decode("utf-16-le").split("\0")[0]
count = t[63] + 256 * t[64]
print(name + "|" + " ".join(map(str, t[60:81 + 8 * count])))
PY
}
# Python check of configuration 0, device slot 5 (button 4) in the mouse's memory.
slot5() {
    python3 - "$KVX_GMOUSE_SIM" "$@" <<'PY'
import sys
mem = open(sys.argv[1], "rb").read()
entry = mem[0xA0 + 4 * 10:][:10]
address = entry[5] | (entry[6] & 0x3F) << 8
entries = (entry[1] & 0x7F) | (entry[7] & 0x3F) << 7
if sys.argv[2] == "none":
    sys.exit(0 if entries == 0 and address == 0 else "slot 5 still has a macro: %s" % entry.hex())
play, want = mem[address] | mem[address + 1] << 8, int(sys.argv[3])
if not 0x400 <= address <= 0xF1F or entries != want or play != 3:
    sys.exit("slot 5: entry %s, address %#x, %d entries (want %d), play count %d" % (entry.hex(), address, entries, want, play))
PY
}

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not reach the mouse"
sleep 2
click_region skin_main.ini 8 # the macro page

# Library menu below the rows (Office, Games): a new group, then a new macro in it.
right_click_at "$LIBRARY_X" 450
screenshot_area library_menu "$MENU_X" "$MENU_Y" 200 160
compare_with_reference library_menu 0.02
menu_row_at MENU 1 20
click_here
wait_for gone MainMenuDlg || fail "the library menu stayed open"
wait_for test -f "$MACROS/Macro group.dat" || fail "no file for the new group"
library_menu 2 2 # the new group's row: new macro
grep -a -q "Macro group" "$MACROS/macroGrp.ini" || iconv -f UTF-16 -t UTF-8 "$MACROS/macroGrp.ini" | grep -q "Macro group" ||
    fail "macroGrp.ini does not list the new group"

# Keys recorded into the new macro (row 3, selected), a pause item and a lighting step inserted after them.
click_region skin_mac.ini 4
sleep 0.5
xdotool type --delay 150 ab
sleep 0.5
click_region skin_mac.ini 4
sleep 0.5
click_at "$EVENTS_X" "$(row_y 6)" # the release of B
for row in 6 5; do # insert menu: pause item, then lighting step
    click_region skin_mac.ini 5
    wait_for visible MainMenuDlg || fail "the insert menu did not open"
    geometry_of MainMenuDlg MENU
    menu_row_at MENU "$row" 20
    click_here
    wait_for gone MainMenuDlg || fail "the insert menu stayed open"
done

# The event menu on the pause after the first event: modify, 250 ms typed in place.
right_click_at "$EVENTS_X" "$(row_y 1)"
screenshot_area event_menu "$MENU_X" "$MENU_Y" 120 40
compare_with_reference event_menu 0.02
menu_row_at MENU 1 20
click_here
wait_for gone MainMenuDlg || fail "the event menu stayed open"
type_into_window 250

# The lighting step's value menu (value list row 0): lighting mode, its second row.
click_at "$EVENTS_X" "$(row_y 10)" # the lighting step after the pause item (rows 8, 9)
right_click_at 880 366
screenshot_area lighting_mode_menu "$MENU_X" "$MENU_Y" 130 100
compare_with_reference lighting_mode_menu 0.02
menu_row_at MENU 2 20
click_here
wait_for gone MainMenuDlg || fail "the lighting mode menu stayed open"

# Repeat mode, repeat count 3 (typed over the box's text): the macro is saved.
click_region skin_mac.ini 8
window_origin
xdotool mousemove --sync $((WX + 955)) $((WY + 302)) click 1
sleep 0.3
xdotool key End shift+Home
xdotool type 3
sleep 1
line=$(macro_line "$MACROS/Macro group.dat" 0)
echo "new macro: $line"
read -r -a tokens <<<"${line#*|}"
events=$((tokens[3] + 256 * tokens[4]))
[ "$events" = 6 ] || fail "the new macro holds $events events, not 4 keys, a pause item and a lighting step"
[ $((tokens[27] + 256 * tokens[28])) = 250 ] || fail "the first pause is not 250 ms"
# Entries in the mouse: one per event and one per 127 ms of a pause above 127 ms.
ENTRIES=$(awk -v n="$events" '{ e = 0; for (k = 0; k < n; k++) { d = $(28 + 8 * k) + 256 * $(29 + 8 * k)
    if (d > 10000) d = 10000; e += 1 + (d > 127 ? int(d / 127) : 0) } print e }' <<<"${line#*|}")

# Button 4 (main region 24): button menu row 9, group 3 (the new one), its only macro: code 768.
click_region skin_main.ini 6
click_region skin_main.ini 24
wait_for visible MainMenuDlg || fail "the button menu did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 9 26
wait_for visible SubMenuDlg || fail "the macro group list did not open"
geometry_of SubMenuDlg SUB
menu_row_at SUB 3 24
xdotool mousemove --sync $((SUB_X + 160 + 40)) $((SUB_Y + 2 * 24 + 12))
sleep 0.4
click_here
wait_for gone MainMenuDlg || fail "the menus stayed open after the macro choice"
apply
E2E_WAIT=20 wait_for config_is Config0 K4 768 || fail "config.ini holds K4=$(config_value Config0 K4), not 768"
E2E_WAIT=20 wait_for slot5 macro "$ENTRIES" || fail "$(slot5 macro "$ENTRIES" 2>&1)"

# Renamed through the macro row menu: the button keeps it.
click_region skin_main.ini 8
right_click_at "$LIBRARY_X" "$(row_y 3)"
screenshot_area macro_row_menu "$MENU_X" "$MENU_Y" 120 80
compare_with_reference macro_row_menu 0.02
menu_row_at MENU 1 20
click_here
wait_for gone MainMenuDlg || fail "the macro row menu stayed open"
xdotool mousemove --sync $((WX + LIBRARY_X)) $((WY + $(row_y 3)))
type_into_window Burst
renamed() { [ "$(macro_line "$MACROS/Macro group.dat" 0 | cut -d'|' -f1)" = Burst ]; }
E2E_WAIT=10 wait_for renamed || fail "the macro is called $(macro_line "$MACROS/Macro group.dat" 0 | cut -d'|' -f1)"
apply
config_is Config0 K4 768 || fail "the rename changed K4 to $(config_value Config0 K4)"
slot5 macro "$ENTRIES" || fail "the rename lost the macro in the mouse"

# The group deleted: the button's code is 0 in config.ini and in the mouse.
library_menu 2 3
[ ! -f "$MACROS/Macro group.dat" ] || fail "the deleted group's file is still there"
apply
E2E_WAIT=20 wait_for config_is Config0 K4 0 || fail "config.ini holds K4=$(config_value Config0 K4) after the delete"
E2E_WAIT=20 wait_for slot5 none || fail "$(slot5 none 2>&1)"

# "Office" exported and imported again as "OfficeCopy".
library_menu 0 7
answer_dialog "Save As" "$(winpath "$E2E_WORK/OfficeCopy.dat")"
wait_for test -s "$E2E_WORK/OfficeCopy.dat" || fail "nothing was exported"
library_menu 20 6
answer_dialog "Open" "$(winpath "$E2E_WORK/OfficeCopy.dat")"
wait_for test -f "$MACROS/OfficeCopy.dat" || fail "the group was not imported"
cmp -s "$MACROS/OfficeCopy.dat" "$E2E_WORK/OfficeCopy.dat" || fail "the imported group differs from the exported file"
[ "$(macro_line "$MACROS/OfficeCopy.dat" 5)" = "$(macro_line "$MACROS/Office.dat" 5)" ] || fail "the copy's last macro differs"

# A single macro: "Paste" (Office, 1) exported and imported into "Games".
click_at "$LIBRARY_X" "$(row_y 0)" # Office opens: its six macros are rows 1 to 6, Games row 7
library_menu 2 4
answer_dialog "Save As" "$(winpath "$E2E_WORK/paste.sdat")"
wait_for test -s "$E2E_WORK/paste.sdat" || fail "no single-macro file"
games=$(python3 -c "
import sys; raw = open(sys.argv[1], 'rb').read()
t = raw.decode('utf-16') if raw[:2] == b'\xff\xfe' else raw.decode('latin-1')
print(next(int(l.split('=')[1]) for l in t.splitlines() if l.startswith('macroNum=')))" "$MACROS/Games.dat")
library_menu 7 8
answer_dialog "Open" "$(winpath "$E2E_WORK/paste.sdat")"
imported() { macro_line "$MACROS/Games.dat" "$games" >/dev/null 2>&1; }
E2E_WAIT=10 wait_for imported || fail "Games has no macro $games after the import"
[ "$(macro_line "$MACROS/Games.dat" "$games")" = "$(macro_line "$MACROS/Office.dat" 1)" ] ||
    fail "the imported macro differs: $(macro_line "$MACROS/Games.dat" "$games") / $(macro_line "$MACROS/Office.dat" 1)"

# Reset: the macro folder is the factory library again.
library_menu 0 4
reset_done() { diff -r "$MACROS" "$RESET" >/dev/null; }
E2E_WAIT=10 wait_for reset_done || fail "the macro folder differs from macroReset: $(diff -rq "$MACROS" "$RESET" | head -3)"
screenshot_main after_reset
close_from_outside
