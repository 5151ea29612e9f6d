#!/usr/bin/env bash
# tools/build/check-size.sh on files just under, at and over a limit, and on a missing one.
set -u
check=$(realpath "$(dirname "$0")/../../tools/build/check-size.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() { # exit code, arguments...
    local want=$1; shift
    "$check" "$@" >/dev/null
    local got=$?
    [ "$got" -eq "$want" ] || fail "check-size.sh $* exited $got, not $want"
}

head -c 1000 /dev/zero > "$work/at"
head -c 1001 /dev/zero > "$work/over"
head -c 10 /dev/zero > "$work/small"

expect 0 1000 "$work/at" "$work/small"
expect 1 1000 "$work/small" "$work/over"    # the second file is over
expect 1 1000 "$work/over" "$work/small"    # the first file is over
expect 1 1000 "$work/small" "$work/missing" # a missing file is no pass
expect 2 1000

if [ "$failures" -eq 0 ]; then echo "5 passed, 0 failed"; else exit 1; fi
