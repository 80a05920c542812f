#!/usr/bin/env bash
# Shared part of the end-to-end tests: the real KVX_GMouse.exe under Wine on
# an Xvfb display, with the simulated mouse (memory file, report log and
# command file) in a throwaway folder. Sourced by the tests/e2e/*.sh scripts:
#
#   tests/e2e/<test>.sh [folder holding KVX_GMouse.exe, default build/win]
#
# Artifacts (screenshots, the report log) are kept under
# <exe folder>/e2e-artifacts/<test>/.
set -euo pipefail

E2E_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
E2E_EXE_DIR=$(cd "${1:-$E2E_SOURCE/build/win}" && pwd)
E2E_NAME=$(basename "$0" .sh)
E2E_ARTIFACTS="$E2E_EXE_DIR/e2e-artifacts/$E2E_NAME"
E2E_WORK=$(mktemp -d /tmp/kvx-e2e-XXXXXX)
E2E_TITLE="KVX Gaming Mouse"
E2E_PIDS=()

rm -rf "$E2E_ARTIFACTS"
mkdir -p "$E2E_ARTIFACTS" "$E2E_WORK/app"
cp "$E2E_EXE_DIR/KVX_GMouse.exe" "$E2E_WORK/app/"
cp -r "$E2E_SOURCE/skins" "$E2E_WORK/app/skins"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${E2E_WINEPREFIX:-/tmp/kvx-e2e-wine-$(id -u)}
export KVX_GMOUSE_SIM="$E2E_WORK/mouse.bin"
export KVX_GMOUSE_SIM_LOG="$E2E_WORK/reports.log"
export KVX_GMOUSE_SIM_CMD="$E2E_WORK/mouse.cmd"
: >"$KVX_GMOUSE_SIM_CMD"

E2E_XVFB=
e2e_cleanup() {
    local status=$?
    for p in "${E2E_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$E2E_XVFB" ]; then
        kill "$E2E_XVFB" 2>/dev/null || true
        wait "$E2E_XVFB" 2>/dev/null || true
    fi
    cp "$KVX_GMOUSE_SIM_LOG" "$E2E_WORK"/*.log "$E2E_ARTIFACTS/" 2>/dev/null || true
    rm -rf "$E2E_WORK"
    if [ $status -eq 0 ]; then echo "PASS $E2E_NAME"; else echo "FAIL $E2E_NAME"; fi
}
trap e2e_cleanup EXIT

# Our own display, so nothing else's windows get in the way. The server picks
# a free display number itself and tells it once it accepts connections, so a
# display still shutting down from the test before is never taken for ours.
# E2E_SCREEN (WIDTHxHEIGHT, set before sourcing) gives a test another screen size.
Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1920x1080}x24" -nolisten tcp 3>"$E2E_WORK/display" >/dev/null 2>&1 &
E2E_XVFB=$!
for _ in $(seq 1 100); do
    [ -s "$E2E_WORK/display" ] && break
    sleep 0.1
done
[ -s "$E2E_WORK/display" ] || { echo "$E2E_NAME: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$E2E_WORK/display")"

if [ ! -d "$WINEPREFIX" ]; then
    wineboot -i >/dev/null 2>&1 || true
fi

fail() {
    echo "$E2E_NAME: $*" >&2
    exit 1
}

# Starts the program (arguments go on its command line); its pid in E2E_PID.
start_app() {
    (cd "$E2E_WORK/app" && exec wine ./KVX_GMouse.exe "$@") >/dev/null 2>&1 &
    E2E_PID=$!
    E2E_PIDS+=("$E2E_PID")
}

# Polls `$@` until it succeeds, for up to $E2E_WAIT seconds (default 60).
wait_for() {
    local deadline=$((SECONDS + ${E2E_WAIT:-60}))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.25
    done
}

# A small window manager (jwm), optionally with a configuration file of the caller's.
start_window_manager() {
    jwm ${1:+-f "$1"} >"$E2E_WORK/jwm.log" 2>&1 &
    E2E_PIDS+=($!)
    wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wait_for wm_running || fail "the window manager did not start"
}

main_window() { xdotool search --name "^$E2E_TITLE\$" 2>/dev/null | head -n1; }
main_visible() { xdotool search --onlyvisible --name "^$E2E_TITLE\$" >/dev/null 2>&1; }
main_hidden() { ! main_visible; }
# Visible top-level windows of the program (the main window, the status warning).
visible_windows() { xdotool search --onlyvisible --classname "kvx_gmouse.exe" 2>/dev/null | wc -l; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }

# A command line for the simulated mouse.
mouse_command() { echo "$*" >>"$KVX_GMOUSE_SIM_CMD"; }

# WM_CLOSE to the program's windows from another program.
close_from_outside() { (cd "$E2E_WORK/app" && wine taskkill /im KVX_GMouse.exe >/dev/null 2>&1) || true; }

# Feature reports the mouse received with the given command byte (hex, two digits).
reports_with_command() { grep -c "^[0-9]* set 07 $1" "$KVX_GMOUSE_SIM_LOG" || true; }
# True once more than $2 reports of command $1 are in the log (for wait_for:
# the count is read again on every try).
reports_over() { [ "$(reports_with_command "$1")" -gt "$2" ]; }

# In section [$1] of the staged config.ini (UTF-16), the first line "$2"
# becomes "$3".
edit_config() {
    python3 - "$E2E_WORK/app/skins/config/config.ini" "$@" <<'PY'
import sys
path, section, old, new = sys.argv[1:5]
t = open(path, encoding="utf-16").read()
head, sep, rest = t.partition("[%s]" % section)
if not sep or old not in rest:
    sys.exit("no %s in [%s]" % (old, section))
open(path, "w", encoding="utf-16", newline="").write(head + sep + rest.replace(old, new, 1))
PY
}

# The value after the first line "$1=" of the input. It reads the input to the
# end: a reader that stops early kills the writer with SIGPIPE under pipefail.
first_value() { awk -v k="$1=" 'index($0, k) == 1 && !found { print substr($0, length(k) + 1); found = 1 }'; }

# The value of key $2 in section [$1] of the staged config.ini.
config_value() {
    iconv -f utf-16 -t utf-8 "$E2E_WORK/app/skins/config/config.ini" | tr -d '\r' |
        sed -n "/^\[$1\]/,/^\[/p" | first_value "$2"
}

# Byte `address` of the simulated memory file, as two hex digits.
memory_byte() { od -An -tx1 -j "$1" -N1 "$KVX_GMOUSE_SIM" | tr -d ' \n'; }

# The main window's pixels, saved as $E2E_ARTIFACTS/<name>.png.
screenshot_main() {
    local wid geometry
    wid=$(main_window)
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$E2E_ARTIFACTS/$1.png"
}

# Compares a screenshot with the stored reference; RMSE (0..1) must stay below
# the tolerance. E2E_UPDATE_REFERENCE=1 stores the screenshot as the reference.
compare_with_reference() {
    local shot="$E2E_ARTIFACTS/$1.png" ref="$E2E_SOURCE/tests/e2e/reference/$1.png" tolerance=$2
    if [ "${E2E_UPDATE_REFERENCE:-0}" = 1 ]; then
        cp "$shot" "$ref"
        return 0
    fi
    [ -f "$ref" ] || fail "no reference picture $ref (run with E2E_UPDATE_REFERENCE=1)"
    local rmse
    rmse=$(compare -metric RMSE "$shot" "$ref" "$E2E_ARTIFACTS/$1-diff.png" 2>&1 >/dev/null | sed -E 's/.*\(([0-9.e-]+)\).*/\1/') || true
    echo "$1: RMSE $rmse (tolerance $tolerance)"
    awk -v r="$rmse" -v t="$tolerance" 'BEGIN { exit !(r != "" && r + 0 <= t + 0) }' ||
        fail "$1 differs from its reference (RMSE $rmse)"
}

# A screenshot must show more than the bare background picture of its page
# (texts, selections): fails when it is (nearly) that picture.
differs_from_background() {
    local rmse
    rmse=$(compare -metric RMSE "$E2E_ARTIFACTS/$1.png" "$E2E_WORK/app/skins/$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/') || true
    awk -v r="$rmse" 'BEGIN { exit !(r != "" && r + 0 > 0.005) }' || fail "$1 is the bare $2 (RMSE $rmse)"
}

# --- the window's regions ---
# Centre of region `n` of a skin file of the English folder, in window pixels: "x y".
region_centre() {
    iconv -f UTF-16 -t UTF-8 "$E2E_WORK/app/skins/1_INI_EN/$1" | tr -d '\r' |
        awk -F, -v k="$2=" 'index($0, k) == 1 && !found { print int($2 + $4 / 2), int($3 + $5 / 2); found = 1 }'
}
# Left edge, top, width and height of region `n`: "x y w h".
region_rect() {
    iconv -f UTF-16 -t UTF-8 "$E2E_WORK/app/skins/1_INI_EN/$1" | tr -d '\r' |
        awk -F, -v k="$2=" 'index($0, k) == 1 && !found { print $2, $3, $4, $5; found = 1 }'
}
# The main window's top-left corner on the screen: sets WX and WY.
window_origin() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$(main_window)")"
    WX=$X WY=$Y
}
# A click at window pixel (x, y), the pointer resting there first.
click_at() {
    window_origin
    # Two moves: the first one after a dialog closed may only reach Wine's idea of the pointer.
    xdotool mousemove --sync $((WX + $1 - 1)) $((WY + $2))
    sleep 0.1
    xdotool mousemove --sync $((WX + $1)) $((WY + $2))
    sleep 0.2
    xdotool click 1
    sleep 0.3
}
click_region() { click_at $(region_centre "$1" "$2"); }
# A click at pixel (x, y) of another window of the program (a dialog), given by its id.
click_in_window() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --sync $((X + $2)) $((Y + $3))
    sleep 0.2
    xdotool click 1
    sleep 0.4
}

# RMSE (0..1) between area "x y w h" of two pictures.
area_rmse() {
    convert "$1" "$2" -crop "$5x$6+$3+$4" +repage -metric RMSE -compare -format '%[distortion]' info: 2>/dev/null
}
# A press at (x1, y1), a drag to (x2, y2) and the release there.
drag_from_to() {
    window_origin
    xdotool mousemove --sync $((WX + $1)) $((WY + $2)) mousedown 1
    sleep 0.2
    xdotool mousemove --sync $((WX + $3)) $((WY + $4))
    sleep 0.2
    xdotool mouseup 1
    sleep 0.3
}

# --- menus and dialogs ---
visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone() { ! visible "$1"; }
# Geometry of a visible window by its exact title, as PREFIX_X, PREFIX_Y, PREFIX_WIDTH, PREFIX_HEIGHT.
geometry_of() {
    local wid
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$wid" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$wid" | sed -n "s/^\(X\|Y\|WIDTH\|HEIGHT\)=/$2_\1=/p")"
}
# Row r (from 1) of a menu window whose rows are h pixels tall: menu_row_at PREFIX r h.
menu_row_at() { xdotool mousemove --sync $(($1_X + 40)) $(($1_Y + ($2 - 1) * $3 + $3 / 2)); sleep 0.4; }
click_here() { xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.5; }
# A part of the screen: name, x, y, width, height.
screenshot_area() { import -window root -crop "$4x$5+$2+$3" +repage "$E2E_ARTIFACTS/$1.png"; }
config_is() { [ "$(config_value "$1" "$2")" = "$3" ]; }
# The apply region; returns once the download has written a good part of the memory.
apply() {
    APPLY_BEFORE=$(reports_with_command 18)
    click_region skin_main.ini 3
    transfers_grew() { [ "$(reports_with_command 18)" -gt $((APPLY_BEFORE + 50)) ]; }
    wait_for transfers_grew || fail "apply wrote nothing"
}

# A file dialog's path for a file of the host.
winpath() { echo "Z:$1" | tr / '\\'; }
dialog_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
# Types into the focused control of the dialog `title`, then presses Return there.
answer_dialog() {
    local title=$1 text=$2 wid
    E2E_WAIT=20 wait_for dialog_named "$title" >/dev/null || {
        import -window root "$E2E_ARTIFACTS/no-dialog.png"
        xdotool search --onlyvisible --name . getwindowname %@ >"$E2E_ARTIFACTS/windows.txt" 2>&1 || true
        fail "no $title dialog"
    }
    wid=$(dialog_named "$title")
    # Without a window manager only activation gives the dialog the keyboard.
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid" 2>/dev/null || true
    sleep 0.5
    xdotool type --delay 20 "$text"
    xdotool key Return
    sleep 1
}
