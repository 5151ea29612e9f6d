#!/usr/bin/env bash
# Runs a command with the Wine prefix and Xvfb display of a build folder.
#   tools/wine/with-wine.sh build/win ctest --test-dir build/win --output-on-failure
set -e
here=$(dirname "$(realpath "$0")")
build=${1:?build dir}; shift
# shellcheck source=wine-env.sh
source "$here/wine-env.sh" "$build"
exec "$@"
