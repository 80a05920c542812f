# Sourced after e2e_lib.sh: what the macro group files hold.

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
