# Sourced after e2e_lib.sh: a window manager with a system tray, and the
# program's notification-area icon and menu in it.

# A window manager whose tray is a dock at the top left, 32 pixels high.
cat >"$E2E_WORK/jwmrc" <<'EOF'
<?xml version="1.0"?>
<JWM>
  <Tray x="0" y="0" height="32" width="200" autohide="off">
    <Dock/>
  </Tray>
</JWM>
EOF

# Wine's tray icons belong to its explorer.exe; the docked one sits inside the
# dock's 32-pixel strip and is bigger than explorer's 1 × 1 helper windows.
tray_icon() {
    xwininfo -root -tree 2>/dev/null | awk '/"explorer.exe"/ {
        if (match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+  \+-?[0-9]+\+-?[0-9]+$/)) {
            split(substr($0, RSTART), f, /[x+ ]+/)
            if (f[1] >= 8 && f[2] >= 8 && f[2] <= 32 && f[6] < 32) { print f[5] + int(f[1] / 2), f[6] + int(f[2] / 2); exit }
        }
    }'
}
tray_icon_shown() { [ -n "$(tray_icon)" ]; }

# The program's visible windows other than the main window and the status warning.
menu_window() {
    local w main
    main=$(main_window)
    for w in $(xdotool search --onlyvisible --classname "kvx_gmouse.exe" 2>/dev/null); do
        [ "$w" = "$main" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -lt 400 ] && { echo "$w"; return 0; }
    done
    return 1
}
menu_open() { [ -n "$(menu_window)" ]; }
menu_closed() { ! menu_open; }

# Right-clicks the icon and clicks the menu's item 1 (show) or 2 (exit).
choose_from_tray_menu() {
    local item=$1 menu
    xdotool mousemove $(tray_icon) click 3
    wait_for menu_open || fail "a right click on the tray icon opened no menu"
    menu=$(menu_window)
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$E2E_ARTIFACTS/tray-menu-$item.png"
    xdotool mousemove $((X + WIDTH / 3)) $((Y + HEIGHT * (2 * item - 1) / 4)) click 1
}

# Starts the window manager with its tray.
start_tray() { start_window_manager "$E2E_WORK/jwmrc"; }
