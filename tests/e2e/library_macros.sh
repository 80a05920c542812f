#!/usr/bin/env bash
# Buttons on macros of the macro library: after a start with the shipped data
# the mouse's memory holds the macros of configuration 2's buttons 3 and 4
# (macros 2 and 0 of "Games"), and a button put on macro 2 of "Office" keeps
# K5=258 in config.ini and its macro in the mouse across an apply and a restart.
source "$(dirname "$0")/lib/e2e_lib.sh"

# Button 5 of configuration 0 on macro 2 of group 0 ("Office").
edit_config Config0 K5=16 K5=258 || fail "could not prepare config.ini"

# Checks that device slot <slot> of configuration <config> plays a macro from
# the macro area: its button byte is a macro function, its directory entry
# points into the macro area at a stream that was written. Prints the address.
macro_of_slot() {
    python3 - "$KVX_GMOUSE_SIM" "$1" "$2" <<'PY'
import sys
mem = open(sys.argv[1], "rb").read()
config, slot = int(sys.argv[2]), int(sys.argv[3])
entry = mem[0xA0 + config * 140 + (slot - 1) * 10:][:10]
address = entry[5] | (entry[6] & 0x3F) << 8
events = (entry[1] & 0x7F) | (entry[7] & 0x3F) << 7
if not 0x400 <= address <= 0xF1F or events == 0:
    sys.exit("configuration %d slot %d: no macro in its directory entry %s" % (config, slot, entry.hex()))
if all(b == 0xFF for b in mem[address:address + 8]):
    sys.exit("configuration %d slot %d: nothing written at macro address %#x" % (config, slot, address))
print(hex(address))
PY
}

run_once() {
    : >"$KVX_GMOUSE_SIM_LOG"
    start_app
    wait_for main_visible || fail "the main window did not appear ($1)"
    finished() { [ "$(grep -c '^[0-9]* set 07 18 10' "$KVX_GMOUSE_SIM_LOG")" -ge 1 ]; }
    wait_for finished || fail "the download did not finish ($1)"
    wait_for test -s "$KVX_GMOUSE_SIM" || fail "no memory file ($1)"

    games2=$(macro_of_slot 2 4) || fail "Config2 button 3 lost its macro ($1)"
    games0=$(macro_of_slot 2 5) || fail "Config2 button 4 lost its macro ($1)"
    [ "$games2" != "$games0" ] || fail "two different macros share one address ($1)"
    macro_of_slot 0 6 >/dev/null || fail "Config0 button 5 lost macro (Office, 2) ($1)"
    [ "$(config_value Config0 K5)" = 258 ] || fail "config.ini has K5=$(config_value Config0 K5) after $1"

    if [ "${2:-}" = apply ]; then
        # The apply step saves every configuration and downloads again.
        finishes() { grep -c '^[0-9]* set 07 18 10' "$KVX_GMOUSE_SIM_LOG" || true; }
        before=$(finishes)
        click_region skin_main.ini 3
        applied() { [ "$(finishes)" -gt "$before" ]; }
        wait_for applied || fail "the apply step did not download ($1)"
        kept() { [ "$(config_value Config0 K5)" = 258 ]; }
        wait_for kept || fail "config.ini has K5=$(config_value Config0 K5) after the apply"
        wait_for macro_of_slot 0 6 >/dev/null || fail "Config0 button 5 lost macro (Office, 2) in the apply"
    fi

    close_from_outside
    wait_for process_gone "$E2E_PID" || fail "WM_CLOSE did not end the program ($1)"
    # The Windows side (and its single-instance mutex) may outlive the launcher for a moment.
    timeout 60 wineserver -w || fail "Wine did not wind down after $1"
}

run_once "the first start" apply
run_once "a restart"
