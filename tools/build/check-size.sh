#!/usr/bin/env bash
# Fails when any of the files is larger than the limit (bytes) or missing; prints each size.
#   tools/build/check-size.sh 327680 build/win/launcher/pelorin.exe build/win/launcher/spelorin.exe
set -u
limit=${1:?limit in bytes}; shift
[ $# -gt 0 ] || { echo "no file to check"; exit 2; }
status=0
for file in "$@"; do
    if [ ! -f "$file" ]; then
        echo "FAIL: $file is missing"
        status=1
        continue
    fi
    size=$(stat -c %s "$file")
    if [ "$size" -gt "$limit" ]; then
        echo "FAIL: $file is $size bytes, over the limit of $limit by $((size - limit))"
        status=1
    else
        echo "ok: $file is $size bytes, $((limit - size)) under the limit of $limit"
    fi
done
exit $status
