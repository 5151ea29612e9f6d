#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine; does nothing when all is there.
# A mirror caught mid-sync serves an index of the wrong size, and multiarch packages then
# resolve against mismatched versions: the index update is retried with a pause, and an
# install that cannot be resolved is retried against the base release alone. (wine32 and
# wine64 together need the same version of their multiarch libraries on both architectures,
# which the security archive breaks while it carries a newer one for amd64 only.)
set -u
packages=(cmake ninja-build clang libclang-rt-14-dev googletest python3
          g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine32:i386 wine64 fonts-wine fonts-liberation xvfb xdotool x11-apps imagemagick)
attempts=${INSTALL_ATTEMPTS:-3}
pause=${INSTALL_PAUSE:-10}
base_release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
base_release=${base_release:-bookworm}

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

update_indexes() {
    local attempt
    for attempt in $(seq "$attempts"); do
        if apt-get update -qq; then
            echo "install-deps: package indexes updated (attempt $attempt of $attempts)"
            return 0
        fi
        echo "install-deps: the index update failed (attempt $attempt of $attempts)"
        [ "$attempt" -lt "$attempts" ] && sleep "$pause"
    done
    echo "install-deps: going on with the indexes that did arrive"
}

install_packages() {
    local options=(-y -qq --no-install-recommends)
    if apt-get install "${options[@]}" "$@" >/dev/null; then
        echo "install-deps: installed $*"
        return 0
    fi
    echo "install-deps: the install could not be resolved; retrying against $base_release alone"
    if apt-get install "${options[@]}" -t "$base_release" "$@" >/dev/null; then
        echo "install-deps: installed $* from $base_release"
        return 0
    fi
    return 1
}

mapfile -t missing < <(missing_packages)
[ ${#missing[@]} -eq 0 ] && exit 0

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
update_indexes
if ! install_packages "${missing[@]}"; then
    echo "install-deps: could not install ${missing[*]}." >&2
    echo "install-deps: the package mirror may be in the middle of a sync; wait a few minutes" \
         "and run the command again, or install those packages by hand with apt-get." >&2
    exit 1
fi
