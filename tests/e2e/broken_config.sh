#!/usr/bin/env bash
# config.ini left empty by a power cut during a save: the program starts with
# the settings the last save kept beside it, under its own title, and writes
# them into the mouse.
source "$(dirname "$0")/lib/e2e_lib.sh"

CONFIG="$E2E_WORK/app/skins/config/config.ini"
cp "$CONFIG" "$CONFIG.bak"
: >"$CONFIG"

start_app
wait_for main_visible || fail "the main window did not appear under its title"
cmp -s "$CONFIG" "$CONFIG.bak" || fail "config.ini was not taken back from its backup"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the initial download did not finish"
[ "$(memory_byte 1)" = 03 ] || fail "header byte 1 is $(memory_byte 1), not 03"
