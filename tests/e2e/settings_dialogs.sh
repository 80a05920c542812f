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

# Clicks a region until the dialog `title` shows (a click right after another
# dialog closed may be taken by Wine for the activation).
open_dialog_with() {
    for _ in 1 2 3; do
        click_region skin_main.ini "$1"
        E2E_WAIT=5 wait_for dialog_named "$2" >/dev/null && return 0
    done
    fail "region $1 did not open the $2 dialog"
}

# LED page, first user colour: pure green chosen in the colour dialog.
click_region skin_main.ini 9
window_origin
read -r cx cy < <(region_centre skin_color.ini 0)
xdotool mousemove --sync $((WX + cx)) $((WY + cy)) click 1 &
wait_for dialog_named "Color" >/dev/null || fail "the colour dialog did not open"
wid=$(dialog_named "Color")
sleep 0.5
# Wine's colour dialog: the third row's third basic colour is pure green
# (0x00FF00); then OK. Places are the dialog's own, from its top-left corner.
eval "$(xdotool getwindowgeometry --shell "$wid" | sed 's/^/D/')"
xdotool mousemove --sync $((DX + 69)) $((DY + 70)) click 1
sleep 0.5
import -window root "$E2E_ARTIFACTS/colour-dialog.png"
xdotool mousemove --sync $((DX + 42)) $((DY + 260)) click 1
sleep 1
# Under Wine without a window manager the OK click may not reach the
# button; Return in the activated dialog does the same.
if [ -n "$(dialog_named Color)" ]; then
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key Return
    sleep 1
fi
import -window root "$E2E_ARTIFACTS/colour-dialog-ok.png"
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
open_dialog_with 15 "Save As"
answer_dialog "Save As" "$(winpath "$E2E_WORK/exported.ini")"
wait_for test -s "$E2E_WORK/exported.ini" || fail "nothing was exported"
cmp -s "$E2E_WORK/exported.ini" "$config" || fail "the export is not a copy of config.ini"
open_dialog_with 14 "Open"
answer_dialog "Open" "$(winpath "$E2E_WORK/exported.ini")"
cmp -s "$config" "$E2E_WORK/before.ini" || fail "config.ini changed by importing its own export"

# A settings file of another product is refused with its tip, config.ini untouched.
iconv -f UTF-16 -t UTF-8 "$config" | sed 's/^PRODUCTNAME_CN=.*/PRODUCTNAME_CN=Other Mouse/; s/^PRODUCTNAME_EN=.*/PRODUCTNAME_EN=Other Mouse/' |
    iconv -f UTF-8 -t UTF-16 >"$E2E_WORK/other.ini"
# The warning shows over the main window: its picture changes.
xdotool mousemove 0 0
sleep 0.5
import -window root "$E2E_ARTIFACTS/before-refusal.png"
open_dialog_with 14 "Open"
answer_dialog "Open" "$(winpath "$E2E_WORK/other.ini")"
sleep 2
import -window root "$E2E_ARTIFACTS/refused.png"
rmse=$(compare -metric RMSE "$E2E_ARTIFACTS/refused.png" "$E2E_ARTIFACTS/before-refusal.png" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/') || true
awk -v r="$rmse" 'BEGIN { exit !(r != "" && r + 0 > 0.005) }' || fail "no warning for another product's file (RMSE $rmse)"
cmp -s "$config" "$E2E_WORK/before.ini" || fail "config.ini changed by another product's file"
