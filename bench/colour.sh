#!/bin/bash
# Cell colours and duplicate marking at 10,000 and 1,000,000 rows (64-bit build).
# Usage: bash bench/colour.sh BUILD_ROOT
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/wine-env.sh" "$1/win64"
wine_start
xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE64" "$1/win64/bench/colour_winbench.exe"
