#!/usr/bin/env bash
# Exits 0 when this machine can run the 64-bit Wine (the wine64 package), which runs the
# Windows unit tests built as 64-bit programs (build/win64) where the 32-bit Wine cannot run.
loader=${WINE_LOADER:-/usr/lib/wine/wine64}
if [ ! -x "$loader" ]; then
    echo "wine64-usable: $loader is missing (the wine64 package)" >&2
    exit 1
fi
if ! "$loader" --version >/dev/null 2>&1; then
    echo "wine64-usable: $loader fails to start" >&2
    exit 1
fi
