#!/usr/bin/env bash
# Runs one Windows program under Wine with a time limit, so a hung window never hangs a run.
# The prefix and display come from tools/wine/wine-env.sh (tools/wine/with-wine.sh sets them up).
: "${WINEPREFIX:?run under tools/wine/with-wine.sh <build-dir> ...}"
: "${DISPLAY:?run under tools/wine/with-wine.sh <build-dir> ...}"
exec timeout -k 5 "${WINE_TIMEOUT:-120}" "${WINE:-wine}" "$@"
