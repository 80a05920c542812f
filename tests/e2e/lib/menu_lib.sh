# Sourced after e2e_lib.sh (which has the menu helpers): the main window's
# apply step and what it leaves in config.ini and the mouse.

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
