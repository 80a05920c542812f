#!/usr/bin/env bash
# The game presets with the real program: the preset dialog opened from the
# macro page, the third weapon picked from its weapon list (the dialog's
# picture compared with a reference), its strength and
# interval typed and OK pressed (PUBG.dat holds them); then that preset put on
# button 3 through the button menu and applied: the mouse's memory holds its
# macro stream with the new numbers.
source "$(dirname "$0")/lib/e2e_lib.sh"

PRESETS="$E2E_WORK/app/skins/1_INI_EN/PUBG.dat"
WEAPON=2   # the third weapon: button function 52
STRENGTH=37
INTERVAL=45

# The preset dialog: the program's visible window that is neither the main window nor a menu.
gun_window() {
    local main wid
    main=$(main_window)
    for wid in $(xdotool search --onlyvisible --classname "kvx_gmouse.exe" 2>/dev/null); do
        [ "$wid" = "$main" ] && continue
        xdotool getwindowname "$wid" 2>/dev/null | grep -q 'MenuDlg$' && continue
        echo "$wid"
        return 0
    done
    return 1
}
has_gun_window() { gun_window >/dev/null; }
no_gun_window() { ! has_gun_window; }
# A click at pixel (x, y) of the preset dialog.
click_gun() { click_in_window "$GUN" "$@"; }
gun_region() { click_gun $(region_centre skin_gun.ini "$1"); }
# The box of EDIT entry $1 emptied and given the text $2.
type_into_box() {
    local x y w h
    read -r x y w h < <(iconv -f UTF-16 -t UTF-8 "$E2E_WORK/app/skins/1_INI_EN/skin_gun.ini" | tr -d '\r' |
        sed -n '/^\[EDIT\]/,$p' | awk -F, -v k="$1=" 'index($0, k) == 1 && !found { print $2, $3, $4, $5; found = 1 }')
    click_gun $((x + w - 4)) $((y + h / 2))
    xdotool key --delay 50 End BackSpace BackSpace BackSpace BackSpace BackSpace
    xdotool type --delay 80 "$2"
    sleep 0.3
}
# Token t (three digits) of preset line $1 in PUBG.dat.
preset_line() { tr -d '\r' <"$PRESETS" | first_value "$1"; }
token() { echo "${1:$((3 * $2)):3}"; }

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not reach the mouse"
sleep 2
BEFORE=$(preset_line $WEAPON)
OTHERS_BEFORE=$(tr -d '\r' <"$PRESETS" | grep -v -e "^$WEAPON=" -e "^$")
[ -n "$BEFORE" ] || fail "PUBG.dat has no preset $WEAPON"
cp "$PRESETS" "$E2E_ARTIFACTS/PUBG-before.dat"

# Macro page, region 13: the preset dialog, on the first weapon.
click_region skin_main.ini 8
sleep 1
click_region skin_mac.ini 13
wait_for has_gun_window || fail "the preset dialog did not open"
GUN=$(gun_window)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$GUN" | sed 's/^/GUN_/')"
import -window root -crop "${GUN_WIDTH}x${GUN_HEIGHT}+${GUN_X}+${GUN_Y}" +repage "$E2E_ARTIFACTS/first_weapon.png"

# The weapon list below region 5: its third row.
gun_region 5
wait_for visible MainMenuDlg || fail "the weapon list did not open"
geometry_of MainMenuDlg MENU
[ "$MENU_Y" -ge $((GUN_Y + 56 + 34)) ] || fail "the weapon list is not below the weapon box"
menu_row_at MENU $((WEAPON + 1)) 24
click_here
wait_for gone MainMenuDlg || fail "the weapon list stayed open"
sleep 0.5
xdotool mousemove 0 0
sleep 0.5
import -window root -crop "${GUN_WIDTH}x${GUN_HEIGHT}+${GUN_X}+${GUN_Y}" +repage "$E2E_ARTIFACTS/third_weapon.png"
compare_with_reference third_weapon 0.02
read -r x y w h < <(region_rect skin_gun.ini 4)
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a != "" && a + 0 < b + 0) }'; }
picture_rmse=$(area_rmse "$E2E_ARTIFACTS/first_weapon.png" "$E2E_ARTIFACTS/third_weapon.png" "$x" "$y" "$w" "$h")
below 0.02 "$picture_rmse" || fail "the weapon picture did not change (RMSE $picture_rmse)"

type_into_box 0 "$STRENGTH"
type_into_box 2 "$INTERVAL"
gun_region 2
wait_for no_gun_window || fail "OK did not close the preset dialog"
sleep 0.5
cp "$PRESETS" "$E2E_ARTIFACTS/PUBG-after.dat"

# PUBG.dat: vertical adjust on with the strength, the interval as the first
# pause, every downward move of the strength; the other presets as they were
# (the save rewrites the file without its blank lines).
saved_as_typed() {
    local line k code y
    line=$(preset_line $WEAPON)
    [ "$(token "$line" 75)$(token "$line" 76)" = "001$(printf '%03d' $STRENGTH)" ] || return 1
    [ "$(token "$line" 87)" = "$(printf '%03d' $INTERVAL)" ] || return 1
    for k in $(seq 0 40); do
        code=$(token "$line" $((81 + 8 * k + 1)))
        y=$(token "$line" $((81 + 8 * k + 4)))
        [ "$code" = 246 ] && [ "$y" != 000 ] && [ "$y" != "$(printf '%03d' $STRENGTH)" ] && return 1
    done
    return 0
}
E2E_WAIT=10 wait_for saved_as_typed || fail "PUBG.dat preset $WEAPON is not saved as typed: $(preset_line $WEAPON | cut -c220-300)"
[ "$(tr -d '\r' <"$PRESETS" | grep -v -e "^$WEAPON=" -e "^$")" = "$OTHERS_BEFORE" ] || fail "other presets changed in PUBG.dat"

# Button 3 (region 23): button menu row 12 (gun presets), the third preset.
click_region skin_main.ini 6
sleep 1
click_region skin_main.ini 23
wait_for visible MainMenuDlg || fail "the button menu did not open"
geometry_of MainMenuDlg MENU
menu_row_at MENU 12 26
wait_for visible SubMenuDlg || fail "the gun preset list did not open"
geometry_of SubMenuDlg SUB
menu_row_at SUB $((WEAPON + 1)) 24
click_here
wait_for gone MainMenuDlg || fail "the menus stayed open after the preset choice"
apply
E2E_WAIT=20 wait_for config_is Config0 K3 $((50 + WEAPON)) || fail "config.ini holds K3=$(config_value Config0 K3), not $((50 + WEAPON))"

# Device slot 4 of configuration 0 (button 3): a macro (device code 0x1E or 0x1F)
# whose directory entry (0xA0 + 3 × 10) has the vertical adjust on with the
# strength, and whose stream has a move of the interval down by the strength.
ENTRY=$((0xA0 + 30))
preset_in_memory() {
    local code address stream
    code=$((0x$(memory_byte $((0x0B))) & 0x1F))
    { [ $code -eq $((0x1E)) ] || [ $code -eq $((0x1F)) ]; } || return 1
    [ "$(memory_byte $((ENTRY + 8)))" = "$(printf '%02x' $((0x80 + STRENGTH)))" ] || return 1
    address=$((0x$(memory_byte $((ENTRY + 5))) + ((0x$(memory_byte $((ENTRY + 6))) & 0x3F) << 8)))
    [ $address -ge $((0x400)) ] || return 1
    stream=$(od -An -tx1 -j "$address" -N 96 "$KVX_GMOUSE_SIM" | tr -d '\n' | tr -s ' ')
    echo "$stream" >"$E2E_ARTIFACTS/stream.txt"
    grep -qE "$(printf '%02x' $INTERVAL) f6 [0-9a-f]{2} [0-9a-f]{2} ($(printf '%02x' $STRENGTH) 00|$(printf '%02x' $((256 - STRENGTH))) ff)" \
        <<<"$stream"
}
E2E_WAIT=20 wait_for preset_in_memory ||
    fail "slot 4 holds no stream of the changed preset (code $(memory_byte $((0x0B))), entry byte 8 $(memory_byte $((ENTRY + 8))))"
