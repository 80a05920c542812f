#!/usr/bin/env bash
# Builds and runs every benchmark (tools/bench/*.cpp): natively, then the
# Windows build under Wine. Benchmarks print figures; they do not pass or fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/display.sh"
bash "$root/tools/install-deps.sh"
# The repaint benchmark draws the shipped skins in a real window.
export KVX_SOURCE_DIR=$root
trap 'stop_private_display' EXIT

names=()
for src in "$root"/tools/bench/*.cpp; do
    [ -e "$src" ] || continue
    names+=("bench_$(basename "$src" .cpp)")
done
if [ ${#names[@]} -eq 0 ]; then
    echo "no benchmarks in tools/bench/"
    exit 0
fi

jobs=$(nproc)
status=0
cmake -S "$root" -B "$root/build/native" >/dev/null
cmake --build "$root/build/native" -j"$jobs" --target "${names[@]}"
for b in "${names[@]}"; do
    echo "== $b (native)"
    "$root/build/native/$b" || status=1
done

ensure_display
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$root/build/win" -j"$jobs" --target "${names[@]}"
for b in "${names[@]}"; do
    echo "== $b (Windows, under Wine)"
    "$root/tools/wine-run.sh" "$root/build/win/$b.exe" | tr -d '\r' || status=1
done

# Benchmarks of the whole program (tools/bench/*.sh) drive the exe under Wine.
cmake --build "$root/build/win" -j"$jobs" --target KVX_GMouse
for script in "$root"/tools/bench/*.sh; do
    [ -e "$script" ] || continue
    echo "== $(basename "$script" .sh) (the exe, under Wine)"
    bash "$script" "$root/build/win" || status=1
done
exit $status
