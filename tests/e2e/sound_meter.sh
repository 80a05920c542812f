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
command -v wine >/dev/null || fail "wine is not installed"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${E2E_WINEPREFIX:-/tmp/kvx-sound-wine-$(id -u)}
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1 || true

source "$(dirname "$0")/lib/pulse_lib.sh"
start_pulse "$WORK" || fail "PulseAudio did not start"
PULSE=$PULSE_PID
PIDS+=("$PULSE")
play_tone 30
PIDS+=("$TONE_PID")

echo "-- with the tone playing on the null sink"
KVX_AUDIO_EXPECT=tone wine "$TESTS" --gtest_filter='AudioWin.*' </dev/null | tee "$WORK/tone.txt" \
    || fail "the audio tests failed with the sound server"
grep -q 'OK \] AudioWin.APlayingSinkIsSeenAndItsToneMeasured' "$WORK/tone.txt" \
    || echo "$NAME: note: the tone was not measured: the default playback device has no peak meter here"

echo "-- with no sound server"
kill "$PULSE" 2>/dev/null || true
wait "$PULSE" 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true
PULSE_SERVER="unix:$WORK/no-server" KVX_AUDIO_EXPECT=none wine "$TESTS" --gtest_filter='AudioWin.*' </dev/null \
    || fail "the audio tests failed without a sound server"
