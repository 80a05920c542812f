#!/usr/bin/env bash
# The four pages as a user sees and uses them: a reference picture of each
# page and look, and changes made with the mouse on the advanced and LED
# pages that an apply writes into the mouse's memory.
source "$(dirname "$0")/lib/e2e_lib.sh"

start_app
wait_for main_visible || fail "the main window did not appear"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not reach the mouse"
sleep 1

shot() {
    xdotool mousemove 0 0
    sleep 0.5
    screenshot_main "$1"
    compare_with_reference "$1" 0.02
    differs_from_background "$1" "$2"
}

shot page_main main_normal.jpg
click_region skin_main.ini 79
shot page_main_dark main_normal_dark.jpg
click_region skin_main.ini 80
shot page_main_dark2 main_normal_dark2.jpg
click_region skin_main.ini 78

click_region skin_main.ini 8
shot page_macro mac_normal.jpg
click_region skin_main.ini 9
shot page_led led_normal.jpg
click_region skin_main.ini 79
shot page_led_dark led_normal_dark.jpg
click_region skin_main.ini 80
shot page_led_dark2 led_normal_dark2.jpg
click_region skin_main.ini 78

# LED page: the effect speed slider to its right end (speed 5) → apply.
read -r x y w h < <(region_rect skin_color.ini 41)
drag_from_to $((x + 2)) $((y + h / 2)) $((x + w + 30)) $((y + h / 2))
click_region skin_main.ini 7
shot page_advanced advanced_normal.jpg

# Advanced page: the third level selected, its slider to the left end (DPI
# index 0, code 1); report rate 250 Hz (code 3); the fifth level disabled;
# then apply.
click_region skin_advance.ini 62
read -r x y w h < <(region_rect skin_advance.ini 66)
drag_from_to $((x + w / 2)) $((y + h / 2)) $((x - 40)) $((y + h / 2))
click_region skin_advance.ini 35
click_region skin_advance.ini 51
before=$(reports_with_command 18)
click_region skin_main.ini 3
wait_for reports_over 18 "$((before + 10))" || fail "apply wrote nothing"
sleep 2

dpi_low=$(( 0x$(memory_byte 22) >> 4 ))            # 0x16: third level << 4 | fourth level
dpi_high=$(( (0x$(memory_byte 19) >> 2) & 1 ))      # 0x13 bit 2: bit 4 of the third level's code
[ "$dpi_low" = 1 ] && [ "$dpi_high" = 0 ] || fail "the third level's DPI code is $dpi_high/$dpi_low, not 1"
[ "$(memory_byte 30)" = 03 ] || fail "report-rate code is $(memory_byte 30), not 03"
enable=$(( 0x$(memory_byte 25) ))
[ $((enable & 0x10)) = 0 ] || fail "level 5 is still enabled ($enable)"
[ $((enable & 0x0f)) = 15 ] || fail "other levels changed ($enable)"
[ $(( 0x$(memory_byte 28) & 7 )) = 5 ] || fail "lighting mode byte $(memory_byte 28) has not speed 5"
[ "$(config_value ShareData DPI_SET2)" = 0 ] || fail "DPI_SET2 saved as $(config_value ShareData DPI_SET2)"
[ "$(config_value ShareData DPI_SET_EN4)" = 0 ] || fail "DPI_SET_EN4 saved as $(config_value ShareData DPI_SET_EN4)"

# Factory reset: config.ini holds the factory configurations again; an apply sends them.
click_region skin_main.ini 16
configurations() { iconv -f UTF-16 -t UTF-8 "$E2E_WORK/app/skins/config/$1" | tr -d '\r' | sed -n '/^\[Config0\]/,$p' | grep -v '^$'; }
reset_saved() { diff <(configurations config.ini) <(configurations configReset.ini) >"$E2E_ARTIFACTS/reset.diff"; }
# The reset saves on the main thread, after a save of the apply step that may still run.
E2E_WAIT=20 wait_for reset_saved || fail "config.ini after the reset differs from configReset.ini"
before=$(reports_with_command 18)
click_region skin_main.ini 3
wait_for reports_over 18 "$((before + 10))" || fail "apply after the reset wrote nothing"
sleep 2
[ $(( 0x$(memory_byte 25) & 0x10 )) = 16 ] || fail "level 5 not enabled again after the reset"
[ "$(memory_byte 30)" = 00 ] || fail "report-rate code $(memory_byte 30) after the reset"
