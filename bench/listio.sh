#!/bin/bash
# Export, import and copy of 10,000 to 1,000,000 rows next to `cat FILE >
# /dev/null` of the same file, the plain cost of reading it.
# Usage: bash bench/listio.sh BUILD_ROOT
set -euo pipefail
# Copy needs a display for the clipboard: one virtual display for the whole run.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
broot="$(cd "${1:?build root}" && pwd)"
source "$(dirname "$0")/../tools/wine-env.sh" "$broot/win64"
[ -f "$WINEPREFIX/.kestrine-desktop" ] || wine_start
exe="$broot/win64/bench/listio_winbench.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

echo "seconds: the operation; cat s: cat FILE > /dev/null of the same file (I/O reference);"
echo "peak+ MiB: peak working set above the one before the operation"
printf '%-8s %9s %9s %10s %12s %10s\n' operation rows seconds "file MiB" "peak+ MiB" "cat s"
for rows in 10000 100000 1000000; do
    file="$work/list_$rows.txt"
    for op in export import copy; do
        read -r name n seconds mib peak < <("$WINE64" "$exe" "$op" "$rows" "Z:${file//\//\\}" | tr -d '\r')
        TIMEFORMAT=%3R
        cat_seconds="$( { time cat "$file" > /dev/null; } 2>&1 )"
        printf '%-8s %9s %9s %10s %12s %10s\n' "$name" "$n" "$seconds" "$mib" "$peak" "$cat_seconds"
    done
done
