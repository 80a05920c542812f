#!/usr/bin/env bash
# Skinned popup menus and the apply region, for the scripts that use them.
# Sourced after e2e_lib.sh.

# Geometry of a visible window by its exact title, as PREFIX_X, PREFIX_Y, PREFIX_WIDTH, PREFIX_HEIGHT.
geometry_of() {
    local wid
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$wid" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$wid" | sed -n "s/^\(X\|Y\|WIDTH\|HEIGHT\)=/$2_\1=/p")"
}
visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone() { ! visible "$1"; }

# Row r (from 1) of a menu window whose rows are h pixels tall.
menu_row_at() { xdotool mousemove --sync $(($1_X + 40)) $(($1_Y + ($2 - 1) * $3 + $3 / 2)); sleep 0.4; }
click_here() { xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.5; }
# A part of the screen: name, x, y, width, height.
screenshot_area() { import -window root -crop "$4x$5+$2+$3" +repage "$E2E_ARTIFACTS/$1.png"; }
config_is() { [ "$(config_value "$1" "$2")" = "$3" ]; }
# The apply region; returns once the download has written a good part of the memory.
apply() {
    APPLY_BEFORE=$(reports_with_command 18)
    click_region skin_main.ini 3
    transfers_grew() { [ "$(reports_with_command 18)" -gt $((APPLY_BEFORE + 50)) ]; }
    wait_for transfers_grew || fail "apply wrote nothing"
}
