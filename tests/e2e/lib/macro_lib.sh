# Sourced after e2e_lib.sh: what the macro group files and the mouse hold of macros.

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

# The first $2 key codes of the macro a device slot of configuration 0
# plays, in order and as hex bytes (the delay fillers, code 0, left out).
slot_macro_keys() {
    local entry=$((0xA0 + ($1 - 1) * 10)) address found=0 i code
    address=$((0x$(memory_byte $((entry + 5))) + ((0x$(memory_byte $((entry + 6))) & 0x3F) << 8)))
    [ $address -ge $((0x400)) ] || return 0
    for i in $(seq 0 200); do
        [ $found -lt "$2" ] || break
        code=$(memory_byte $((address + 2 + 2 * i + 1)))
        [ "$code" = 00 ] && continue
        printf '%s ' "$code"
        found=$((found + 1))
    done
}
