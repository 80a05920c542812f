# Sourced by the tools and end-to-end scripts: gives the caller an X display,
# starting a private Xvfb when there is none. The Xvfb started here is
# stopped by stop_private_display (call it from the caller's exit trap).
KVX_XVFB_PID=

ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 90 150); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # In a session of its own: Ctrl+C in the terminal must not take the
        # display away before the caller has closed the program on it.
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        KVX_XVFB_PID=$!
        local i
        for i in $(seq 1 100); do
            if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$KVX_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$KVX_XVFB_PID" 2>/dev/null
        KVX_XVFB_PID=
    done
    echo "could not start Xvfb" >&2
    return 1
}

stop_private_display() {
    if [ -n "$KVX_XVFB_PID" ]; then
        kill "$KVX_XVFB_PID" 2>/dev/null
        wait "$KVX_XVFB_PID" 2>/dev/null
        KVX_XVFB_PID=
    fi
}

# A host path as Wine's Z: drive sees it.
wine_path() {
    local p
    p=$(realpath -m "$1")
    printf 'Z:%s' "${p//\//\\}"
}
