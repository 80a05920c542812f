#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine with the simulated mouse:
#   bash tools/run.sh [--fresh] [program arguments, e.g. -HIDE]
# The program is staged in build/run/ beside a copy of the data root skins/.
# Settings the program saved there survive the next run; --fresh starts again
# from the repository's data (and an erased simulated mouse).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/display.sh"

fresh=0
if [ "${1:-}" = --fresh ]; then
    fresh=1
    shift
fi

bash "$root/tools/install-deps.sh"

build=$root/build/win
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" --target KVX_GMouse -j"$(nproc)"

stage=$root/build/run
if [ $fresh = 1 ]; then
    rm -rf "$stage/skins" "$stage/sim-memory.bin" "$stage/sim-log.txt"
fi
mkdir -p "$stage/skins"
cp "$build/KVX_GMouse.exe" "$stage/"
# No-clobber: new data files arrive, the user's saved settings stay.
tar -C "$root/skins" -cf - . | tar -C "$stage/skins" --skip-old-files -xf -

trap stop_private_display EXIT
ensure_display
echo "running $stage/KVX_GMouse.exe on display $DISPLAY (simulated mouse: $stage/sim-memory.bin)"
export KVX_GMOUSE_SIM
export KVX_GMOUSE_SIM_LOG
KVX_GMOUSE_SIM=$(wine_path "$stage/sim-memory.bin")
KVX_GMOUSE_SIM_LOG=$(wine_path "$stage/sim-log.txt")
cd "$stage"
WINEPREFIX=${WINEPREFIX:-$stage/wineprefix} "$root/tools/wine-run.sh" "$stage/KVX_GMouse.exe" "$@"
