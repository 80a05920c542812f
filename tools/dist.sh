#!/usr/bin/env bash
# Builds the two release artefacts into dist/: the per-user installer
# (KVX_GMouse-<version>-setup.exe) and the portable zip
# (KVX_GMouse-<version>-portable.zip), both holding KVX_GMouse.exe and the
# data root skins/.
#
#   bash tools/dist.sh [--exe KVX_GMouse.exe] [--out folder]
#
# Without --exe a stripped Release build is made in build/release-win.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=
out=$root/dist
while [ $# -gt 0 ]; do
    case $1 in
    --exe) exe=$(realpath "$2"); shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--exe KVX_GMouse.exe] [--out folder]" >&2; exit 2 ;;
    esac
done
bash "$root/tools/install-deps.sh" >/dev/null

version=$(sed -n 's/.*VALUE "ProductVersion", *"\([0-9.]*\)".*/\1/p' "$root/platform/win32/KVX_GMouse.rc")
[ -n "$version" ] || { echo "no ProductVersion in platform/win32/KVX_GMouse.rc" >&2; exit 1; }

if [ -z "$exe" ]; then
    build=$root/build/release-win
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" -DCMAKE_BUILD_TYPE=Release \
        -DKVX_BUILD_TESTS=OFF -DKVX_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$build" -j"${KVX_JOBS:-$(nproc)}" --target KVX_GMouse
    x86_64-w64-mingw32-strip -o "$build/KVX_GMouse-stripped.exe" "$build/KVX_GMouse.exe"
    exe=$build/KVX_GMouse-stripped.exe
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d /tmp/kvx-dist-XXXXXX)
trap 'rm -rf "$work"' EXIT
stage=$work/KVX_GMouse
mkdir -p "$stage"
cp "$exe" "$stage/KVX_GMouse.exe"
cp -r "$root/skins" "$stage/skins"

zip_file=$out/KVX_GMouse-$version-portable.zip
rm -f "$zip_file"
(cd "$work" && zip -qr "$zip_file" KVX_GMouse)

setup=$out/KVX_GMouse-$version-setup.exe
python3 "$root/tools/installer/list_files.py" "$stage" "$work/files.nsh"
cp "$root/tools/installer/KVX_GMouse.nsi" "$work/"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$setup" \
    -DICON="$root/platform/win32/res/app.ico" "$work/KVX_GMouse.nsi"

echo "$setup"
echo "$zip_file"
