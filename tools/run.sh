#!/bin/bash
# Installs what is missing, builds the program and starts it under Wine: on
# $DISPLAY when there is one, otherwise on a virtual display. The shipped
# program is build/win32/Kestrine.exe; this machine cannot run 32-bit Wine,
# so the 64-bit build of the same sources is started.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
KESTRINE_BUILDS="win64 win32" "$root/tools/build.sh"
source "$root/tools/wine-env.sh" "$root/build/win64"
wine_start
exe="$root/build/win64/Kestrine.exe"
if [ -n "${DISPLAY:-}" ]; then
    "$WINE64" "$exe" "$@"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE64" "$exe" "$@"
fi
