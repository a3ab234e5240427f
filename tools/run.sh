#!/bin/bash
# Installs what is missing, builds the program and starts it under Wine: on
# $DISPLAY when there is one, otherwise on a virtual display. The shipped
# program is build/win32/Kestrine.exe; this machine cannot run 32-bit Wine,
# so the 64-bit build of the same sources is started.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
broot="${KESTRINE_BUILD_ROOT:-$root/build}"
if [ -z "${DISPLAY:-}" ]; then
    "$root/tools/install-deps.sh"
    KESTRINE_BUILDS="win64 win32" "$root/tools/build.sh"
    # Wine must start on the display it will show the window on.
    KESTRINE_RUN_BUILT=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
if [ "${KESTRINE_RUN_BUILT:-}" != 1 ]; then
    "$root/tools/install-deps.sh"
    KESTRINE_BUILDS="win64 win32" "$root/tools/build.sh"
fi
source "$root/tools/wine-env.sh" "$broot/win64"
wine_start
exec "$WINE64" "$broot/win64/Kestrine.exe" "$@"
