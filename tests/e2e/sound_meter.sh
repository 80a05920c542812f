#!/usr/bin/env bash
# The sound lighting's audio against a real sound server: PulseAudio (a user
# daemon of this script, never the system one) with a null sink as the default
# output, which Wine reaches through winepulse. While a tone plays, the Windows
# tests read the mixer check and the playback meter; then, with no server at
# all, the mixer check must fail and the dialog show its tip instead of opening.
#
#   tests/e2e/sound_meter.sh [folder holding test_lighting.exe, default build/win]
set -euo pipefail

NAME=sound_meter
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$SOURCE/build/win}" && pwd)
TESTS="$BUILD/test_lighting.exe"
WORK=$(mktemp -d /tmp/kvx-sound-XXXXXX)
PIDS=()

cleanup() {
    local status=$?
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WORK"
    if [ $status -eq 0 ]; then echo "PASS $NAME"; else echo "FAIL $NAME"; fi
}
trap cleanup EXIT
fail() {
    echo "$NAME: $*" >&2
    exit 1
}

[ -f "$TESTS" ] || fail "$TESTS is missing (build the Windows tests first)"
for tool in pulseaudio pactl pacat python3 wine; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${E2E_WINEPREFIX:-/tmp/kvx-sound-wine-$(id -u)}
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1 || true

# A private server: its socket under our own runtime folder, no autospawn.
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_RUNTIME_DIR" "$WORK/home"
chmod 700 "$XDG_RUNTIME_DIR"
cat >"$WORK/default.pa" <<'PA'
load-module module-null-sink sink_name=kvx_null
load-module module-native-protocol-unix
set-default-sink kvx_null
PA
HOME="$WORK/home" pulseaudio -n -F "$WORK/default.pa" --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --disallow-exit >"$WORK/pulse.log" 2>&1 &
PULSE=$!
PIDS+=("$PULSE")
for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.2
done
pactl info 2>/dev/null | grep -q 'Default Sink: kvx_null' || fail "PulseAudio did not start: $(cat "$WORK/pulse.log")"

# A loud 440 Hz tone (peak 0.8) for up to 30 s.
python3 -c '
import math, sys
frame = b"".join(int(26214 * math.sin(2 * math.pi * 440 * i / 44100)).to_bytes(2, "little", signed=True) * 2
                 for i in range(44100))
for _ in range(30):
    sys.stdout.buffer.write(frame)
' 2>/dev/null | pacat --raw --format=s16le --rate=44100 --channels=2 >/dev/null 2>&1 &
PIDS+=("$!")

echo "-- with the tone playing on the null sink"
KVX_AUDIO_EXPECT=tone wine "$TESTS" --gtest_filter='AudioWin.*' </dev/null | tee "$WORK/tone.txt" \
    || fail "the audio tests failed with the sound server"
grep -q 'OK \] AudioWin.APlayingSinkIsSeenAndItsToneMeasured' "$WORK/tone.txt" \
    || echo "$NAME: note: the tone could not be measured here: $(grep -A1 'SKIPPED \] AudioWin.APlaying' "$WORK/tone.txt" | head -n1; grep -m1 'Skipped' "$WORK/tone.txt" || true)"

echo "-- with no sound server"
kill "$PULSE" 2>/dev/null || true
wait "$PULSE" 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true
PULSE_SERVER="unix:$WORK/no-server" KVX_AUDIO_EXPECT=none wine "$TESTS" --gtest_filter='AudioWin.*' </dev/null \
    || fail "the audio tests failed without a sound server"
