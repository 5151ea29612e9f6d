#!/usr/bin/env bash
# tools/deps/install-deps.sh against a fake apt-get that fails as a mirror in mid-sync does.
set -u
script=$(realpath "$(dirname "$0")/../../tools/deps/install-deps.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# fake <update failures> <plain install failures> <base-release install failures> <installed?>
fake() {
    rm -rf "$work/bin" "$work/state"; mkdir -p "$work/bin" "$work/state"
    echo "$1" > "$work/state/update"; echo "$2" > "$work/state/install"
    echo "$3" > "$work/state/install-base"
    cat > "$work/bin/apt-get" <<'SH'
#!/usr/bin/env bash
echo "apt-get $*" >> "$FAKE_STATE/log"
take() { local n; n=$(cat "$FAKE_STATE/$1"); [ "$n" -gt 0 ] || return 0; echo $((n - 1)) > "$FAKE_STATE/$1"; return 1; }
case "$1" in
    update) take update || { echo "E: File has unexpected size. Mirror sync in progress?" >&2; exit 100; } ;;
    install) if [[ " $* " == *" -t "* ]]; then take install-base; else take install; fi ||
                 { echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100; } ;;
esac
SH
    if [ "$4" = installed ]; then
        printf '#!/bin/sh\necho "install ok installed"\n' > "$work/bin/dpkg-query"
    else
        printf '#!/bin/sh\nexit 1\n' > "$work/bin/dpkg-query"
    fi
    printf '#!/bin/sh\necho i386\n' > "$work/bin/dpkg"
    chmod +x "$work/bin"/*
}
run() { PATH="$work/bin:$PATH" FAKE_STATE="$work/state" INSTALL_PAUSE=0 "$script" > "$work/out" 2>&1; }
calls() { grep -c "^apt-get $1" "$work/state/log" 2>/dev/null || true; }

# A failed update is retried; an unresolvable install falls back to the base release.
fake 1 1 0 missing
run; rc=$?
[ $rc -eq 0 ] || fail "recoverable mirror: exit $rc"
[ "$(calls update)" = 2 ] || fail "recoverable mirror: $(calls update) updates, wanted 2"
grep -q "^apt-get install .* -t bookworm .*wine32:i386" "$work/state/log" ||
    fail "recoverable mirror: no install against the base release"
grep -q "retrying against bookworm" "$work/out" || fail "recoverable mirror: the fallback was not printed"

# An update that never works is given up after the set attempts, and the install still tried.
fake 9 0 0 missing
run; rc=$?
[ $rc -eq 0 ] || fail "stale indexes: exit $rc"
[ "$(calls update)" = 3 ] || fail "stale indexes: $(calls update) updates, wanted 3"
[ "$(calls install)" = 1 ] || fail "stale indexes: $(calls install) installs, wanted 1"

# When nothing resolves, the script fails and says what to do.
fake 0 1 1 missing
run; rc=$?
[ $rc -eq 1 ] || fail "hopeless mirror: exit $rc, wanted 1"
grep -q "run the command again" "$work/out" || fail "hopeless mirror: no advice printed"

# With everything installed, apt-get is never called.
fake 0 0 0 installed
run; rc=$?
[ $rc -eq 0 ] || fail "all installed: exit $rc"
[ ! -e "$work/state/log" ] || fail "all installed: apt-get was called"

[ $failures -eq 0 ] && echo "install-deps: all cases passed"
exit $((failures > 0))
