#!/usr/bin/env bash
# Exits 0 when this machine can run the 32-bit Wine the tests use. A 64-bit kernel built or
# booted without IA-32 emulation refuses every 32-bit program ("Exec format error"), Wine's
# own loader included; then no Windows test can run here, and this says why.
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
    echo "wine-usable: $loader is missing (the wine32 package)" >&2
    exit 1
fi
if ! "$loader" --version >/dev/null 2>&1; then
    echo "wine-usable: this kernel does not run 32-bit programs ($loader fails to start)" >&2
    exit 1
fi
