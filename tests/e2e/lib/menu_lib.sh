# Sourced after e2e_lib.sh: the skinned popup menus and the main window's
# apply step, for the scripts that choose in menus.

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
# The apply button, and the memory transfers it starts.
apply() {
    APPLY_BEFORE=$(reports_with_command 18)
    click_region skin_main.ini 3
    transfers_grew() { [ "$(reports_with_command 18)" -gt $((APPLY_BEFORE + 50)) ]; }
    wait_for transfers_grew || fail "apply wrote nothing"
}

# The first $2 key codes of the macro a device slot of configuration 0
# plays, in order and as hex bytes (the delay fillers, code 0, left out).
slot_macro_keys() {
    local entry=$((0xA0 + ($1 - 1) * 10)) address found=0 i code
    address=$((0x$(memory_byte $((entry + 5))) + ((0x$(memory_byte $((entry + 6))) & 0x3F) << 8)))
    [ $address -ge $((0x400)) ] || return 0
    for i in $(seq 0 200); do
        [ $found -lt "$2" ] || break
        code=$(memory_byte $((address + 2 + 2 * i + 1)))
        [ "$code" = 00 ] && continue
        printf '%s ' "$code"
        found=$((found + 1))
    done
}
