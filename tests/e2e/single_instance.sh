#!/usr/bin/env bash
# A second start of the program restores the running instance's minimised
# window and exits at once without creating a window of its own:
#   tests/e2e/single_instance.sh [folder holding KVX_GMouse.exe, default build/win]
# Runs the exe under Wine on the current X display (a private Xvfb when there
# is none) with a small window manager, so that minimising means what it
# means on a desktop. Leaves a screenshot in build/e2e/.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/display.sh"

build=$(cd "${1:-$root/build/win}" 2>/dev/null && pwd) || build=$root/build/win
work=$root/build/e2e/single_instance
shot=$root/build/e2e/single_instance.png
title="KVX e2e single instance $$ $RANDOM"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

first_pid= wm_pid= xev_pid=
cleanup() {
    [ -n "$xev_pid" ] && kill "$xev_pid" 2>/dev/null
    # Every Wine process of this test's own prefix, then the helpers started here.
    WINEPREFIX=$work/wineprefix wineserver -k 2>/dev/null
    local pid
    for pid in $first_pid $wm_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    stop_private_display
}
trap cleanup EXIT

if [ ! -f "$build/KVX_GMouse.exe" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null &&
        cmake --build "$build" --target KVX_GMouse -j"$(nproc)" >/dev/null || fail "building KVX_GMouse.exe"
fi

# The program beside the shipped data root, its title made unique for this
# run, and a simulated mouse so that no not-connected warning covers it.
rm -rf "$work"
mkdir -p "$work"
cp "$build/KVX_GMouse.exe" "$work/"
cp -r "$root/skins" "$work/skins"
/usr/bin/python3 - "$work/skins/config/config.ini" "$title" <<'PY' || fail "writing the title into config.ini"
import re, sys
path, title = sys.argv[1], sys.argv[2]
raw = open(path, 'rb').read()
utf16 = raw.startswith(b'\xff\xfe')
text = raw.decode('utf-16') if utf16 else raw.decode('utf-8')
text = re.sub(r'(?m)^VER_SEL=.*$', 'VER_SEL=1', text)
text = re.sub(r'(?m)^PRODUCTNAME_EN=.*$', 'PRODUCTNAME_EN=' + title, text)
open(path, 'wb').write(text.encode('utf-16') if utf16 else text.encode('utf-8'))
PY
export KVX_GMOUSE_SIM
KVX_GMOUSE_SIM=$(wine_path "$work/sim-memory.bin")
export WINEPREFIX=$work/wineprefix

ensure_display || fail "no X display"
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    jwm >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 1 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
fi

find_window() { xdotool search --name "^$title\$" 2>/dev/null | head -1; }
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/.*Map State: //p'; }

# First instance. Its first start also creates the Wine prefix, hence the long wait.
(cd "$work" && exec "$root/tools/wine-run.sh" "$work/KVX_GMouse.exe") >"$work/first.log" 2>&1 &
first_pid=$!
window=
for _ in $(seq 1 240); do
    window=$(find_window)
    [ -n "$window" ] && break
    kill -0 "$first_pid" 2>/dev/null || fail "the first instance ended early: $(cat "$work/first.log")"
    sleep 0.5
done
[ -n "$window" ] || fail "no window titled '$title' appeared"
echo "first instance shows window $window"
# Minimising needs the window manager to have taken the window on.
for _ in $(seq 1 100); do
    [ "$(wm_state "$window")" = Normal ] && [ "$(map_state "$window")" = IsViewable ] && break
    sleep 0.1
done
for _ in $(seq 1 5); do
    xdotool windowminimize "$window"
    for _ in $(seq 1 20); do
        [ "$(wm_state "$window")" = Iconic ] && break 2
        sleep 0.1
    done
done
[ "$(wm_state "$window")" = Iconic ] || fail "the window did not minimise (state: $(wm_state "$window"))"
echo "minimised: $(map_state "$window")"

# Second instance, watched for any window it creates.
xev -root -event substructure >"$work/xev.log" 2>&1 &
xev_pid=$!
sleep 0.3
start=$(date +%s%N)
(cd "$work" && exec timeout 20 "$root/tools/wine-run.sh" "$work/KVX_GMouse.exe") >"$work/second.log" 2>&1
rc=$?
took_ms=$((($(date +%s%N) - start) / 1000000))
sleep 0.5
kill "$xev_pid" 2>/dev/null
wait "$xev_pid" 2>/dev/null
xev_pid=
[ $rc -ne 124 ] || fail "the second instance did not exit within 20 s"
echo "second instance exited with $rc after $took_ms ms"
[ $took_ms -lt 10000 ] || fail "the second instance took $took_ms ms to exit"
created=$(grep -c '^CreateNotify' "$work/xev.log")
[ "$created" -eq 0 ] || fail "the second instance created $created X windows"
[ "$(xdotool search --name "^$title\$" | wc -l)" -eq 1 ] || fail "more than one window carries the title"

for _ in $(seq 1 50); do
    [ "$(wm_state "$window")" = Normal ] && [ "$(map_state "$window")" = IsViewable ] && break
    sleep 0.1
done
state=$(wm_state "$window") mapped=$(map_state "$window")
echo "first window after the second start: $state, $mapped"
import -window root "$shot" 2>/dev/null && echo "screenshot: ${shot#$root/}"
[ "$state" = Normal ] && [ "$mapped" = IsViewable ] || fail "the first window was not restored"
kill -0 "$first_pid" 2>/dev/null || fail "the first instance ended"
echo "PASS: single instance"
