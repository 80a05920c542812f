#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in a throwaway prefix: unless
# WINEPREFIX is set, one per build tree (the folder holding CMakeCache.txt
# above the program, else the program's folder). The prefix is created on
# first use, without Mono/Gecko prompts, once even when tests start in parallel.
set -u
if [ $# -lt 1 ]; then
    echo "usage: wine-run.sh program.exe [arguments]" >&2
    exit 2
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

if [ -z "${WINEPREFIX:-}" ]; then
    dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || dir=$PWD
    tree=$dir
    while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do
        tree=$(dirname "$tree")
    done
    [ -f "$tree/CMakeCache.txt" ] || tree=$dir
    export WINEPREFIX=$tree/wineprefix
fi

if [ ! -f "$WINEPREFIX/.kvx-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.kvx-ready" ]; then
        # A half-made prefix (an earlier run killed midway) is started afresh.
        rm -rf "$WINEPREFIX"
        if ! wineboot -i </dev/null >"$WINEPREFIX.log" 2>&1; then
            echo "wine-run.sh: wineboot -i failed for $WINEPREFIX; see $WINEPREFIX.log" >&2
            exit 1
        fi
        # Let the server write the new registry out before anyone relies on it.
        wineserver -w
        touch "$WINEPREFIX/.kvx-ready"
    fi
    flock -u 9
    exec 9>&-
fi

exec wine "$@" </dev/null
