#!/usr/bin/env bash
# The release artefacts: the installer made from this build's exe installs
# silently (/S) into the user's programs folder of a fresh Wine prefix, with a
# Start-menu entry and no autorun entry; the installed program starts with the
# simulated mouse and downloads to it, and no install goes over it while it runs. The silent uninstall keeps the user's
# settings, a reinstall leaves them alone, and /REMOVESETTINGS removes all.
E2E_PREFIX_DIR=$(mktemp -d /tmp/kvx-e2e-prefix-XXXXXX)
export E2E_WINEPREFIX=$E2E_PREFIX_DIR/wine
source "$(dirname "$0")/lib/e2e_lib.sh"
trap 'e2e_cleanup; rm -rf "$E2E_PREFIX_DIR"' EXIT

bash "$E2E_SOURCE/tools/dist.sh" --exe "$E2E_EXE_DIR/KVX_GMouse.exe" --out "$E2E_WORK/dist" >"$E2E_WORK/dist.log" 2>&1 ||
    fail "the artefacts could not be built: $(tail -n 5 "$E2E_WORK/dist.log")"
SETUP=$(ls "$E2E_WORK"/dist/KVX_GMouse-*-setup.exe)
unzip -l "$E2E_WORK"/dist/KVX_GMouse-*-portable.zip >"$E2E_WORK/zip.txt"
grep -q ' KVX_GMouse/KVX_GMouse.exe$' "$E2E_WORK/zip.txt" && grep -q ' KVX_GMouse/skins/config/config.ini$' "$E2E_WORK/zip.txt" ||
    fail "the portable zip lacks the program or its data root"

users="$WINEPREFIX/drive_c/users"
installed_exe() { find "$users" -path '*/Programs/KVX_GMouse/KVX_GMouse.exe' 2>/dev/null | head -n1; }
start_entry() { find "$users" -path '*/Start Menu/Programs/KVX_GMouse/KVX_GMouse.lnk' 2>/dev/null | head -n1; }
install_silently() { timeout 120 wine "$SETUP" /S >/dev/null 2>&1 || fail "the silent install failed"; }
# The uninstaller runs on from a copy of itself after the one started has ended.
uninstall_silently() {
    timeout 60 wine "$APP_DIR/Uninstall.exe" /S "$@" >/dev/null 2>&1 || true
    wait_for test ! -e "$APP_DIR/Uninstall.exe" || fail "the uninstaller did not finish"
    wineserver -w
}

install_silently
EXE=$(installed_exe)
[ -n "$EXE" ] || fail "no KVX_GMouse.exe under the user's Programs folder"
APP_DIR=$(dirname "$EXE")
echo "installed in ${APP_DIR#$WINEPREFIX/}"
[ -f "$APP_DIR/skins/config/config.ini" ] && [ -f "$APP_DIR/Uninstall.exe" ] || fail "the data root or the uninstaller is missing"
[ -n "$(start_entry)" ] || fail "no Start-menu entry"
for key in 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run'; do
    ! wine reg query "$key" /v KVX_GMouse >/dev/null 2>&1 || fail "the install added an autorun entry in $key"
done
strings -el "$EXE" | grep '^KVX_GMouse project$' >/dev/null || fail "the exe carries no version resource"

(cd "$APP_DIR" && exec wine ./KVX_GMouse.exe) >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_for main_visible || fail "the installed program showed no window"
wait_for test -s "$KVX_GMOUSE_SIM" || fail "the installed program did not write the mouse's memory"
[ "$(memory_byte 1)" = 03 ] || fail "header byte 1 is $(memory_byte 1), not 03"
screenshot_main installed
rc=0
timeout 60 wine "$SETUP" /S >/dev/null 2>&1 || rc=$?
[ $rc -eq 2 ] || fail "an install over the running program went ahead (exit $rc)"
close_from_outside
wait_for main_hidden || fail "the installed program did not close"
wineserver -w

# The user's own settings and macros survive the default uninstall and a reinstall.
echo "; changed by the user" >>"$APP_DIR/skins/config/config.ini"
uninstall_silently
[ ! -e "$APP_DIR/KVX_GMouse.exe" ] && [ ! -e "$APP_DIR/skins/config/configReset.ini" ] ||
    fail "the uninstall left the program's own files"
[ -z "$(start_entry)" ] || fail "the uninstall left the Start-menu entry"
grep -q 'changed by the user' "$APP_DIR/skins/config/config.ini" || fail "the uninstall did not keep config.ini"
[ -n "$(ls "$APP_DIR"/skins/1_INI_EN/macro/*.dat)" ] || fail "the uninstall did not keep the macros"
install_silently
grep -q 'changed by the user' "$APP_DIR/skins/config/config.ini" || fail "the reinstall replaced the user's config.ini"
[ -f "$APP_DIR/skins/config/configReset.ini" ] || fail "the reinstall did not restore the factory files"

uninstall_silently /REMOVESETTINGS
[ ! -e "$APP_DIR" ] || fail "/REMOVESETTINGS left $(find "$APP_DIR" | head -n 3)"
! wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KVX_GMouse' >/dev/null 2>&1 ||
    fail "the uninstall left its Apps entry"
