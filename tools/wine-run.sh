#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix (one per build tree
# unless WINEPREFIX is set), quietly and without Mono/Gecko prompts.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-/tmp/kvx-wine-$(id -u)}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -d "$WINEPREFIX" ]; then
    wineboot -i >/dev/null 2>&1 || true
fi
exec wine "$@"
