#!/usr/bin/env bash
# The system dialogs the pages open, driven as a user would: a user colour
# chosen in the colour dialog and applied to the mouse, the settings exported
# and imported again through the file dialogs, and a settings file of
# another product refused.
source "$(dirname "$0")/lib/e2e_lib.sh"

start_app
wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not reach the mouse"
sleep 1

dialog_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
# Types into the focused control of the dialog `title`, then presses Return there.
answer_dialog() {
    local title=$1 text=$2 wid
    wait_for dialog_named "$title" >/dev/null || fail "no $title dialog"
    wid=$(dialog_named "$title")
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    sleep 0.5
    xdotool type --delay 20 "$text"
    xdotool key Return
    sleep 1
}

# LED page, first user colour: green 255, red and blue 0 in the colour dialog.
click_region skin_main.ini 9
window_origin
read -r cx cy < <(region_centre skin_color.ini 0)
xdotool mousemove --sync $((WX + cx)) $((WY + cy)) click 1 &
wait_for dialog_named "Color" >/dev/null || fail "the colour dialog did not open"
wid=$(dialog_named "Color")
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 0.5
for field in "alt+r 0" "alt+g 255" "alt+u 0"; do
    set -- $field
    xdotool key "$1" ctrl+a BackSpace
    xdotool type --delay 20 "$2"
    sleep 0.2
done
import -window root "$E2E_ARTIFACTS/colour-dialog.png"
xdotool key Return
wait_for test -z "$(dialog_named Color)" || fail "the colour dialog stayed open"
before=$(reports_with_command 18)
click_region skin_main.ini 3
wait_for test "$(reports_with_command 18)" -gt "$((before + 10))" || fail "apply wrote nothing"
sleep 2
# 0x20..0x22: user colour 0's red, green and blue nibbles (255 → 0, 0 → 15) over the DPI colour's.
[ "$(memory_byte 32 | cut -c1)" = f ] || fail "user colour 0 red nibble in $(memory_byte 32)"
[ "$(memory_byte 33 | cut -c1)" = 0 ] || fail "user colour 0 green nibble in $(memory_byte 33)"
[ "$(memory_byte 34 | cut -c1)" = f ] || fail "user colour 0 blue nibble in $(memory_byte 34)"
[ "$(config_value ShareData LED_USER0_G)" = 0 ] || fail "LED_USER0_G saved as $(config_value ShareData LED_USER0_G)"

# Export, then import the exported file: config.ini stays as it was.
config="$E2E_WORK/app/skins/config/config.ini"
cp "$config" "$E2E_WORK/before.ini"
winpath() { echo "Z:$1" | tr / '\\'; }
click_region skin_main.ini 15
answer_dialog "Save As" "$(winpath "$E2E_WORK/exported.ini")"
wait_for test -s "$E2E_WORK/exported.ini" || fail "nothing was exported"
cmp -s "$E2E_WORK/exported.ini" "$config" || fail "the export is not a copy of config.ini"
click_region skin_main.ini 14
answer_dialog "Open" "$(winpath "$E2E_WORK/exported.ini")"
cmp -s "$config" "$E2E_WORK/before.ini" || fail "config.ini changed by importing its own export"

# A settings file of another product is refused with its tip, config.ini untouched.
iconv -f UTF-16 -t UTF-8 "$config" | sed 's/^PRODUCTNAME_CN=.*/PRODUCTNAME_CN=Other Mouse/; s/^PRODUCTNAME_EN=.*/PRODUCTNAME_EN=Other Mouse/' |
    iconv -f UTF-8 -t UTF-16 >"$E2E_WORK/other.ini"
windows_before=$(visible_windows)
click_region skin_main.ini 14
answer_dialog "Open" "$(winpath "$E2E_WORK/other.ini")"
wait_for test "$(visible_windows)" -gt "$windows_before" || fail "no warning for another product's file"
import -window root "$E2E_ARTIFACTS/refused.png"
cmp -s "$config" "$E2E_WORK/before.ini" || fail "config.ini changed by another product's file"
