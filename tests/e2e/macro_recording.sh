#!/usr/bin/env bash
# Recording with the real program: the first macro of the first group is
# recorded while xdotool types "abc" on the X keyboard (the low-level
# keyboard hook sees it as real input), and the group file then holds six
# key events: press and release of A, B and C, the last pause 20 ms.
source "$(dirname "$0")/lib/e2e_lib.sh"

GROUP_FILE="$E2E_WORK/app/skins/1_INI_EN/macro/Office.dat"

# "count sub:code:pause ..." of macro 0 of a group file.
macro_events() {
    local text
    if [ "$(head -c2 "$1" | od -An -tx1 | tr -d ' ')" = fffe ]; then text=$(iconv -f UTF-16 -t UTF-8 "$1"); else text=$(cat "$1"); fi
    printf '%s\n' "$text" | tr -d '\r' | sed -n 's/^0=//p' | head -n1 |
        awk '{ n = int(length($0) / 3); for (i = 0; i < n; i++) t[i] = substr($0, 3 * i + 1, 3) + 0
               c = t[63] + 256 * t[64]; out = c
               for (k = 0; k < c; k++) { b = 81 + 8 * k; out = out " " t[b] ":" t[b + 1] ":" (t[b + 6] + 256 * t[b + 7]) }
               print out }'
}

start_app
E2E_WAIT=150 wait_for main_visible || fail "the main window did not appear"
sleep 2
click_at 95 210  # the macro tab
click_at 300 104 # the first group
click_at 300 128 # its first macro
click_region skin_mac.ini 4
sleep 0.5
xdotool type --delay 200 abc
sleep 1
click_region skin_mac.ini 4
sleep 1
events=$(macro_events "$GROUP_FILE")
echo "recorded: $events"
set -- $events
[ "${1:-0}" = 6 ] || fail "the macro holds ${1:-no} events after recording abc (hooks may not see xdotool's keys)"
i=0
for expected in 1:65 2:65 1:66 2:66 1:67 2:67; do
    i=$((i + 1))
    shift
    case "$1" in "$expected":*) ;; *) fail "event $i is $1, not $expected" ;; esac
    pause=${1##*:}
    if [ $i -lt 6 ]; then [ "$pause" -gt 0 ] || fail "event $i has no pause"; else [ "$pause" = 20 ] || fail "last pause $pause"; fi
done
close_from_outside
