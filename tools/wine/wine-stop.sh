#!/usr/bin/env bash
# Ends the wineserver and the Xvfb display that tools/wine/wine-env.sh started for a build folder.
build=$(realpath -m "${1:?build dir}")
WINEPREFIX="$build/wineprefix" timeout 20 wineserver -k 2>/dev/null || true
if [ -f "$build/xvfb.display" ]; then
    kill "$(cut -d' ' -f2 "$build/xvfb.display")" 2>/dev/null || true
    rm -f "$build/xvfb.display"
fi
