#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine; does nothing when all is there.
set -e
packages=(cmake ninja-build clang libclang-rt-14-dev googletest python3
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          wine wine32:i386 fonts-wine fonts-liberation xvfb xdotool x11-apps imagemagick)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    rm -f /var/lib/apt/lists/lock.stamp
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
