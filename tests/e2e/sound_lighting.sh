#!/usr/bin/env bash
# The sound-reactive lighting in the real program: the main page's sound
# button opens the dialog beside the main window (its picture compared with a
# reference), the lights follow the sound with the patterns' own commands
# (10-bit values 0x3FF and 0x3EB) while a tone plays on a PulseAudio null sink, the display
# switch hands the lights back to the stored lighting, and the close button
# hides the dialog and saves its settings. Without any sound server the
# button shows the tip instead.
source "$(dirname "$0")/lib/e2e_lib.sh"
source "$(dirname "$0")/lib/pulse_lib.sh"

sound_window() {
    local main wid
    main=$(main_window)
    for wid in $(xdotool search --onlyvisible --classname "kvx_gmouse.exe" 2>/dev/null); do
        [ "$wid" != "$main" ] && { echo "$wid"; return 0; }
    done
    return 1
}
has_sound_window() { sound_window >/dev/null; }
no_sound_window() { ! has_sound_window; }
# A click at pixel (x, y) of the sound dialog.
click_sound() { click_in_window "$(sound_window)" "$@"; }
# The patterns' commands carry the 10-bit value 0x3FF or 0x3EB; the stored lighting carries 0x002.
sound_lighting_reports() { grep -cE "^[0-9]+ set 07 13 FF( [0-9A-F]{2}){3} [08]3 (FF|EB)" "$KVX_GMOUSE_SIM_LOG" || true; }
last_lighting_report() { grep "^[0-9]* set 07 13 " "$KVX_GMOUSE_SIM_LOG" | tr -d "\r" | tail -n1; }
more_sound_reports_than() { [ "$(sound_lighting_reports)" -gt "$1" ]; }

# --- no sound server: the tip, no dialog ---
export PULSE_SERVER="unix:$E2E_WORK/no-server"
start_app
wait_for main_visible || fail "the main window did not appear"
sleep 2
click_region skin_main.ini 46
sleep 2
import -window root "$E2E_ARTIFACTS/no_sound_screen.png"
[ "$(visible_windows)" -ge 2 ] || fail "no warning for a machine without sound ($(visible_windows) windows)"
screenshot_main no_sound_tip
close_from_outside
wait_for process_gone "$E2E_PID" || fail "the program did not end"
wineserver -k >/dev/null 2>&1 || true
unset PULSE_SERVER

# --- a null sink playing a tone ---
start_pulse "$E2E_WORK" || fail "PulseAudio did not start"
E2E_PIDS+=("$PULSE_PID")
play_tone 60
E2E_PIDS+=("$TONE_PID")
: >"$KVX_GMOUSE_SIM_LOG"
start_app
wait_for main_visible || fail "the main window did not appear"
sleep 2
click_region skin_main.ini 46
wait_for has_sound_window || fail "the sound lighting dialog did not open"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$(sound_window)")"
import -window root -crop "420x320+$X+$Y" +repage "$E2E_ARTIFACTS/sound_dialog.png"
compare_with_reference sound_dialog 0.08

# The shipped settings have the display on: the bar pattern streams at once.
E2E_WAIT=20 wait_for more_sound_reports_than 3 || fail "no sound lighting commands reached the mouse"
echo "sound lighting commands so far: $(sound_lighting_reports)"

# The switch off: the main window sends the stored lighting again.
read -r sx sy < <(region_centre skin_sound.ini 9)
click_sound "$sx" "$sy"
sleep 1.5
last_lighting_report | grep -qE " 00 02( |$)" || fail "the normal lighting was not restored: $(last_lighting_report)"
before=$(sound_lighting_reports)
sleep 1.5
[ "$(sound_lighting_reports)" -eq "$before" ] || fail "sound lighting commands go on with the switch off"

read -r cx cy < <(region_centre skin_sound.ini 10)
click_sound "$cx" "$cy"
wait_for no_sound_window || fail "the close button did not hide the dialog"
[ "$(config_value ShareData WaveShowStatu)" = 1 ] || fail "WaveShowStatu was not saved as 1"
[ "$(config_value ShareData SoundWaveMode)" = 2 ] || fail "SoundWaveMode was not saved"
