#!/usr/bin/env bash
# The test command: installs what is missing, builds the native and the Windows
# configurations (the Windows one builds the shipped programs too), and runs the native, Wine
# and end-to-end tests, then the launcher tests in a prefix that reports Windows XP, with one
# summary. Where the 32-bit Wine cannot run, the Windows unit tests, the programs and the
# end-to-end tests are built as 64-bit programs (build/win64) and run under the 64-bit Wine.
set -u
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
tools/deps/install-deps.sh || exit 1

build=${BUILD_ROOT:-build}
jobs=${JOBS:-2}
status=0
summary=()

run_suite() { # name, build dir, ctest arguments...
    local name=$1 dir=$2; shift 2
    local log="$dir/ctest-$name.log"
    "$@" --test-dir "$dir" --output-on-failure 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    summary+=("$name: $(grep -E 'tests passed|tests failed' "$log" | tail -1)")
    [ "$rc" -eq 0 ] || status=1
}

# The configurations are the presets of CMakePresets.json, in folders below $build.
cmake --preset native -B "$build/native" >/dev/null &&
    cmake --build "$build/native" -j "$jobs" || { echo "native build failed"; exit 1; }
cmake --preset windows-tests -B "$build/win" >/dev/null &&
    cmake --build "$build/win" -j "$jobs" || { echo "windows build failed"; exit 1; }

run_suite native "$build/native" ctest -j "$jobs"
if tools/wine/wine-usable.sh; then
    # GUI tests share one display and real input: run them one after another.
    run_suite wine "$build/win" tools/wine/with-wine.sh "$build/win" ctest
    tools/wine/wine-stop.sh "$build/win"
    # The launcher and notice suites again, in a prefix of their own that reports Windows XP.
    run_suite wine-xp "$build/win" env WINE_WINDOWS_VERSION=winxp \
        tools/wine/with-wine.sh "$build/win-xp" ctest -L '^launcher$'
    tools/wine/wine-stop.sh "$build/win-xp"
else
    # The checks that read the built programs need no Wine.
    run_suite win-static "$build/win" ctest -L static
    if tools/wine/wine-usable.sh 64; then
        # Everything again as 64-bit programs, which the 64-bit Wine runs: the unit tests, the
        # end-to-end suites on 64-bit builds of the programs, and the launcher suites once more
        # in a prefix that reports (64-bit) Windows XP.
        cmake --preset windows-tests-64 -B "$build/win64" >/dev/null &&
            cmake --build "$build/win64" -j "$jobs" || { echo "64-bit windows build failed"; exit 1; }
        run_suite wine64 "$build/win64" env WINEARCH=win64 \
            tools/wine/with-wine.sh "$build/win64" ctest -LE e2e
        run_suite e2e64 "$build/win64" env WINEARCH=win64 \
            tools/wine/with-wine.sh "$build/win64" ctest -L e2e
        tools/wine/wine-stop.sh "$build/win64"
        run_suite e2e64-xp "$build/win64" env WINEARCH=win64 WINE_WINDOWS_VERSION=winxp64 \
            tools/wine/with-wine.sh "$build/win64-xp" ctest -L '^launcher$'
        tools/wine/wine-stop.sh "$build/win64-xp"
        summary+=("wine: the 32-bit Wine cannot run here: the 32-bit programs were checked statically (win-static); the unit tests (wine64) and the end-to-end suites (e2e64, e2e64-xp) ran on 64-bit builds")
    else
        summary+=("wine: NOT RUN: this machine runs no 32-bit programs and no 64-bit Wine; the Windows tests were built, not run")
    fi
    if [ "${REQUIRE_WINE:-0}" = 1 ]; then
        summary+=("wine: the 32-bit Wine cannot run on this machine, and REQUIRE_WINE=1")
        status=1
    fi
fi

echo
echo "== summary =="
printf '%s\n' "${summary[@]}"
exit $status
