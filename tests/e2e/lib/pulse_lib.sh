#!/usr/bin/env bash
# A private PulseAudio for the sound tests: a user daemon of the calling
# script (never the system one) with a null sink as the default output, its
# socket under a runtime folder of our own, which Wine reaches through
# winepulse. Sourced; the caller kills PULSE_PID (and TONE_PID) when done.

# start_pulse <work folder>: sets XDG_RUNTIME_DIR and PULSE_PID.
start_pulse() {
    local work=$1
    for tool in pulseaudio pactl pacat python3; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; return 1; }
    done
    export XDG_RUNTIME_DIR="$work/run"
    mkdir -p "$XDG_RUNTIME_DIR" "$work/pulse-home"
    chmod 700 "$XDG_RUNTIME_DIR"
    printf '%s\n' 'load-module module-null-sink sink_name=kvx_null' 'load-module module-native-protocol-unix' \
        'set-default-sink kvx_null' >"$work/default.pa"
    HOME="$work/pulse-home" pulseaudio -n -F "$work/default.pa" --daemonize=no --exit-idle-time=-1 \
        --use-pid-file=no --disallow-exit >"$work/pulse.log" 2>&1 &
    PULSE_PID=$!
    for _ in $(seq 1 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.2
    done
    pactl info 2>/dev/null | grep -q 'Default Sink: kvx_null' || { cat "$work/pulse.log" >&2; return 1; }
}

# play_tone <seconds>: a loud 440 Hz tone (peak 0.8) on the default sink; sets TONE_PID.
play_tone() {
    python3 -c '
import math, sys
frame = b"".join(int(26214 * math.sin(2 * math.pi * 440 * i / 44100)).to_bytes(2, "little", signed=True) * 2
                 for i in range(44100))
for _ in range(int(sys.argv[1])):
    sys.stdout.buffer.write(frame)
' "$1" 2>/dev/null | pacat --raw --format=s16le --rate=44100 --channels=2 >/dev/null 2>&1 &
    TONE_PID=$!
}
