#!/usr/bin/env bash
# Exits 0 when this machine can run the Wine the tests use: `wine-usable.sh` for the 32-bit
# one (package wine32), `wine-usable.sh 64` for the 64-bit one (package wine64), which runs the
# Windows unit tests built as 64-bit programs (build/win64). A 64-bit kernel built or booted
# without IA-32 emulation refuses every 32-bit program ("Exec format error"), Wine's own
# 32-bit loader included; then no 32-bit Windows program can run here, and this says why.
case "${1:-32}" in
    32) loader=/usr/lib/wine/wine package=wine32 ;;
    64) loader=${WINE_LOADER:-/usr/lib/wine/wine64} package=wine64 ;;
    *) echo "usage: wine-usable.sh [32|64]" >&2; exit 2 ;;
esac
if [ ! -x "$loader" ]; then
    echo "wine-usable: $loader is missing (the $package package)" >&2
    exit 1
fi
if ! "$loader" --version >/dev/null 2>&1; then
    echo "wine-usable: $loader fails to start (does this kernel run its programs?)" >&2
    exit 1
fi
