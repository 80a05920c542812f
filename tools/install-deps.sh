#!/usr/bin/env bash
# Installs what building, running and testing need on a fresh Debian machine (as root).
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake make g++ libgtest-dev googletest g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
           wine wine64 xvfb xauth xdotool imagemagick python3 python3-pil x11-utils \
           libpng-dev libjpeg-dev fonts-dejavu-core fonts-droid-fallback fonts-liberation \
           jwm nsis zip unzip binutils clang libclang-rt-14-dev pulseaudio pulseaudio-utils; do
    have "$pkg" || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
