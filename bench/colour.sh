#!/bin/bash
# Cell colours and duplicate marking at 10,000 and 1,000,000 rows (64-bit build).
# Usage: bash bench/colour.sh BUILD_ROOT
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/wine-env.sh" "$1/win64"
# tools/bench.sh runs every benchmark on one virtual display with Wine
# started inside it; started alone, this one makes its own.
if [ -n "${DISPLAY:-}" ]; then
    [ -f "$WINEPREFIX/.kestrine-desktop" ] || wine_start
    "$WINE64" "$1/win64/bench/colour_winbench.exe"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        source "$2/tools/wine-env.sh" "$1/win64"
        wine_start
        "$WINE64" "$1/win64/bench/colour_winbench.exe"
        wine_stop' _ "$1" "$root"
fi
