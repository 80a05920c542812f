#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine with the simulated mouse:
#   bash tools/run.sh [--fresh] [--vnc] [program arguments, e.g. -HIDE]
# The program is staged in build/run/ beside a copy of the data root skins/.
# Settings the program saved there survive the next run; --fresh starts again
# from the repository's data (and an erased simulated mouse). --vnc serves the
# private display to a VNC viewer on localhost:5900 (x11vnc, installed if missing).
#
# Ctrl+C ends the program the way closing it from outside does (the finish
# request and command 0x20 go to the mouse, the files are saved), then stops
# the private display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/display.sh"

fresh=0
vnc=0
while [ $# -gt 0 ]; do
    case $1 in
    --fresh) fresh=1 ;;
    --vnc) vnc=1 ;;
    *) break ;;
    esac
    shift
done

bash "$root/tools/install-deps.sh"
if [ $vnc = 1 ] && ! command -v x11vnc >/dev/null; then
    echo "installing x11vnc"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends x11vnc ||
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends x11vnc; }
fi

build=$root/build/win
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" --target KVX_GMouse -j"$(nproc)"

stage=$root/build/run
if [ $fresh = 1 ]; then
    rm -rf "$stage/skins" "$stage/sim-memory.bin" "$stage/sim-log.txt"
fi
mkdir -p "$stage/skins"
cp "$build/KVX_GMouse.exe" "$stage/"
# No-clobber: new data files arrive, the user's saved settings stay.
tar -C "$root/skins" -cf - . | tar -C "$stage/skins" --skip-old-files -xf -

export WINEPREFIX=${WINEPREFIX:-$stage/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
app_pid=
vnc_pid=
finish() {
    trap - INT TERM EXIT
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        echo "closing KVX_GMouse (finish request, command 0x20, files saved)..."
        # taskkill without /f posts WM_CLOSE: the program's own close.
        (cd "$stage" && wine taskkill /im KVX_GMouse.exe >/dev/null 2>&1) || true
        local i
        for i in $(seq 1 100); do
            kill -0 "$app_pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$app_pid" 2>/dev/null; then
            echo "KVX_GMouse did not close within 10 s; ending Wine" >&2
            wineserver -k 2>/dev/null || true
        fi
        wait "$app_pid" 2>/dev/null || true
    fi
    [ -n "$vnc_pid" ] && kill "$vnc_pid" 2>/dev/null
    stop_private_display
    echo "stopped"
}
trap finish INT TERM EXIT
ensure_display

echo "running $stage/KVX_GMouse.exe on display $DISPLAY (simulated mouse: $stage/sim-memory.bin)"
if [ -n "$KVX_XVFB_PID" ]; then
    echo "the display is private: to see the window, take a picture of it with"
    echo "    DISPLAY=$DISPLAY import -window root /tmp/kvx-screen.png"
    echo "or run again with --vnc and connect a VNC viewer to localhost:5900"
fi
if [ $vnc = 1 ]; then
    x11vnc -display "$DISPLAY" -localhost -forever -shared -nopw -quiet >"$stage/x11vnc.log" 2>&1 &
    vnc_pid=$!
    echo "VNC: connect a viewer to localhost:5900 (log: $stage/x11vnc.log)"
fi
echo "press Ctrl+C to end the program"

export KVX_GMOUSE_SIM
export KVX_GMOUSE_SIM_LOG
KVX_GMOUSE_SIM=$(wine_path "$stage/sim-memory.bin")
KVX_GMOUSE_SIM_LOG=$(wine_path "$stage/sim-log.txt")
# The report log keeps every run: each starts with a line naming it.
echo "=== run of $(date -u '+%Y-%m-%d %H:%M:%S UTC'): KVX_GMouse.exe $* (display $DISPLAY)" >>"$stage/sim-log.txt"
cd "$stage"
# In a session of its own: Wine would take Ctrl+C from the terminal and do
# nothing with it; the trap above closes the program instead.
setsid "$root/tools/wine-run.sh" "$stage/KVX_GMouse.exe" "$@" &
app_pid=$!
status=0
wait "$app_pid" || status=$?
app_pid=
exit $status
