#!/usr/bin/env bash
# The LED page with every lighting effect in turn: the effect menu's choice
# covers the controls that do not apply with the "not available" look, hides
# the captions that do not apply, names the effect, and an apply writes the
# effect's lighting bytes into the mouse. Then the brightness slider: refused
# by an effect with a fixed brightness, dragged and applied with one that has
# it (memory byte and config.ini).
source "$(dirname "$0")/lib/e2e_lib.sh"

SKINS="$E2E_WORK/app/skins"
# Controls covered with led_null.jpg, per effect.
NOT_AVAILABLE=("82 85 84 50 81" "84 82 50 81" "85 84 83 50 81" "81" "50 81" "50 81" "82 84 81 85"
    "82 50 49 81 85" "82 84 81 85" "83 82 84 81 85" "45 82 50 49 81 85" "82 84 81 85" "85 84 83 82 50"
    "85 84 83 82 50 81")
# Captions left out, per effect (98, the wave note, shows with effect 3 only).
NO_TEXT=("15 30 31 32 33 34 38 98" "30 31 32 33 34 38 98" "15 30 31 32 33 34 39 98" ""
    "34 98" "34 98" "15 30 31 32 33 34 38 98" "15 33 34 38 98" "15 30 31 32 33 34 38 98"
    "15 30 31 32 33 34 38 39 98" "15 30 33 34 38 98" "15 30 31 32 33 34 38 98" "15 30 31 32 33 34 38 39 98"
    "15 30 31 32 33 34 38 39 98")

# The part of a control that is compared: the reaction panel without its key names.
control_area() {
    if [ "$1" = 81 ]; then echo 730 134 254 330; else region_rect skin_color.ini "$1"; fi
}
contains() { [[ " $1 " == *" $2 "* ]]; }
# RMSE of area "x y w h" between the screenshot $1 and a picture of the data root.
shot_vs() { area_rmse "$E2E_ARTIFACTS/$1.png" "$SKINS/$2" "${@:3}"; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a != "" && a + 0 < b + 0) }'; }

effect_menu_row() {
    click_region skin_color.ini 35
    wait_for visible MainMenuDlg || fail "the lighting effect menu did not open"
    geometry_of MainMenuDlg MENU
    menu_row_at MENU "$1" 27
    click_here
    wait_for gone MainMenuDlg || fail "the lighting effect menu stayed open"
}

# What the page shows for effect $1, from screenshot effect_$1.
check_page() {
    local e=$1 shot=effect_$1 r rmse
    for r in 45 47 48 49 50 81 82 83 84 85; do
        rmse=$(shot_vs "$shot" led_null.jpg $(control_area $r))
        # The symmetry box and the direction buttons lie inside the direction panel (84).
        if contains "${NOT_AVAILABLE[$e]}" $r || { [ $r -lt 51 ] && contains "${NOT_AVAILABLE[$e]}" 84; }; then
            below "$rmse" 0.006 || fail "effect $e: region $r is not shown as not available (RMSE $rmse)"
        else
            below 0.03 "$rmse" || fail "effect $e: region $r is shown as not available (RMSE $rmse)"
        fi
    done
    local normal null
    for r in 15 30 31 32 33 34 38 39 98; do
        normal=$(shot_vs "$shot" led_normal.jpg $(region_rect skin_color.ini $r))
        null=$(shot_vs "$shot" led_null.jpg $(region_rect skin_color.ini $r))
        if contains "${NO_TEXT[$e]}" $r; then
            { below "$normal" 0.006 || below "$null" 0.006; } ||
                fail "effect $e: caption $r is shown (RMSE $normal / $null)"
        else
            below 0.05 "$normal" && below 0.05 "$null" || fail "effect $e: caption $r is missing (RMSE $normal / $null)"
        fi
    done
    # The effect's name in the effect box: another effect, another picture.
    if [ "$e" -gt 0 ]; then
        below 0.01 "$(area_rmse "$E2E_ARTIFACTS/$shot.png" "$E2E_ARTIFACTS/effect_$((e - 1)).png" $(region_rect skin_color.ini 35))" ||
            fail "effect $e: the effect box shows the name of effect $((e - 1))"
    fi
}

# Lighting mode byte (0x1C) and the mode's bit 3 (bit 7 of 0x33) that effect $1 must give:
# EXPECTED_BYTE and EXPECTED_BIT3. Effect 13 keeps the mode the download before sent.
PREVIOUS_MODE=0
expected_lighting() {
    local e=$1 cycle mode flag=0
    cycle=$(config_value ShareData LED_CYCTIME)
    case $e in
    12) mode=1 flag=1 ;;
    13) mode=$PREVIOUS_MODE cycle=7 ;;
    *) mode=$e ;;
    esac
    PREVIOUS_MODE=$mode
    EXPECTED_BYTE=$(printf '%02x' $((0x80 + ((mode & 7) << 4) + (flag << 3) + (cycle & 7))))
    EXPECTED_BIT3=$(((mode >> 3) & 1))
}
lighting_is() {
    [ "$(memory_byte $((0x1C)))" = "$1" ] && [ $(((0x$(memory_byte $((0x33))) >> 7) & 1)) = "$2" ]
}

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not reach the mouse"
sleep 2
click_region skin_main.ini 9
sleep 1

for e in $(seq 0 13); do
    effect_menu_row $((e + 1))
    xdotool mousemove 0 0
    sleep 0.6
    screenshot_main "effect_$e"
    check_page "$e"
    if [ "$e" = 3 ]; then
        # Wave has a fixed brightness: its slider does not move.
        read -r x y w h < <(region_rect skin_color.ini 40)
        BRIGHT_BEFORE=$(config_value ShareData LED_BRIGHT)
        drag_from_to $((x + w - 2)) $((y + h / 2)) $((x + 2)) $((y + h / 2))
    fi
    apply
    E2E_WAIT=20 wait_for config_is ShareData LED_TYPE "$e" || fail "LED_TYPE is $(config_value ShareData LED_TYPE), not $e"
    expected_lighting "$e"
    E2E_WAIT=20 wait_for lighting_is "$EXPECTED_BYTE" "$EXPECTED_BIT3" ||
        fail "effect $e: lighting bytes $(memory_byte $((0x1C)))/$(memory_byte $((0x33))), not $EXPECTED_BYTE with bit 3 = $EXPECTED_BIT3"
    # Choosing an effect sets the direction back to the first one.
    [ $(((0x$(memory_byte $((0x3A))) >> 4) & 3)) = 0 ] || fail "effect $e: feature byte $(memory_byte $((0x3A)))"
    if [ "$e" = 3 ]; then
        [ "$(config_value ShareData LED_BRIGHT)" = "$BRIGHT_BEFORE" ] || fail "the fixed brightness moved"
    fi
    echo "effect $e: page and lighting bytes as expected"
done

# Effect 0 has a brightness: its slider's fourth step (brightness 4) from the left end.
effect_menu_row 1
read -r x y w h < <(region_rect skin_color.ini 40)
drag_from_to $((x + w - 2)) $((y + h / 2)) $((x + 3 * w / 7)) $((y + h / 2))
xdotool mousemove 0 0
sleep 0.6
screenshot_main brightness_4
# The slider's fill ends at 3/7 of its width: filled up to there, empty after.
filled=$(shot_vs brightness_4 led_down.jpg $x $y $((3 * w / 7 - 8)) $h)
below "$filled" 0.05 || fail "the brightness slider is not filled to its fourth step (RMSE $filled)"
empty=$(shot_vs brightness_4 led_normal.jpg $((x + 3 * w / 7 + 8)) $y $((w - 3 * w / 7 - 8)) $h)
below "$empty" 0.05 || fail "the brightness slider is filled beyond its fourth step (RMSE $empty)"
apply
E2E_WAIT=20 wait_for config_is ShareData LED_BRIGHT 4 || fail "LED_BRIGHT is $(config_value ShareData LED_BRIGHT), not 4"
brightness_in_memory() { [ $(((0x$(memory_byte $((0x3F))) >> 4) & 7)) = 4 ]; }
E2E_WAIT=20 wait_for brightness_in_memory || fail "byte 0x3F is $(memory_byte $((0x3F))), not brightness 4"
