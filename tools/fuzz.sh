#!/usr/bin/env bash
# The fuzz command: builds the native clang configuration and runs every fuzz target
# (tests/fuzz/fuzz_<name>.cpp) for a number of runs on a scratch copy of its corpus
# (tests/fuzz/corpus/<name>/), so the committed corpus stays as it is.
#   tools/fuzz.sh [runs]        runs per target, default 1000000
# BUILD_ROOT (default build) and JOBS (default 2) as for tools/test.sh; FUZZ_ARGS adds
# libFuzzer options.
set -u
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
runs=${1:-1000000}
build=${BUILD_ROOT:-build}/native
jobs=${JOBS:-2}

cmake --preset native -B "$build" >/dev/null || exit 1
targets=()
for source in tests/fuzz/fuzz_*.cpp; do
    [ -e "$source" ] || continue
    targets+=("$(basename "$source" .cpp)")
done
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 1; }
cmake --build "$build" -j "$jobs" --target "${targets[@]}" || exit 1

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
summary=()
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    corpus="$scratch/$name"
    mkdir -p "$corpus"
    [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$corpus/"
    log="$scratch/$name.log"
    echo "== $target: $runs runs"
    start=$(date +%s%N)
    # shellcheck disable=SC2086
    (cd "$scratch" && "$root/$build/$target" -runs="$runs" -print_final_stats=1 \
        ${FUZZ_ARGS:-} "$corpus") >"$log" 2>&1
    rc=$?
    millis=$(( ($(date +%s%N) - start) / 1000000 ))
    seconds=$(printf '%d.%03d' $((millis / 1000)) $((millis % 1000)))
    done_runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$')
    tail -n 12 "$log"
    if [ $rc -ne 0 ]; then
        status=1
        echo "$target FAILED (exit $rc); the crashing input is kept in $root/$build"
        cp "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* "$root/$build/" 2>/dev/null
    fi
    summary+=("$target: ${done_runs:-?} runs in ${seconds}s, exit $rc")
done

echo
echo "== fuzz summary =="
printf '%s\n' "${summary[@]}"
exit $status
