#!/bin/bash
# Installs what is missing, builds all three builds and runs every test:
# the native unit tests (sanitizers), the fuzzer for a bounded time, and the
# Windows tests under wine64 on a virtual display.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"

status=0
echo "== native tests"
(cd "${KESTRINE_BUILD_ROOT:-$root/build}/native" && ctest --output-on-failure -j "$(nproc)") || status=1

if [ -x "$root/tools/fuzz.sh" ]; then
    echo "== fuzzing"
    "$root/tools/fuzz.sh" || status=1
fi

echo "== Windows tests under wine64"
winbuild="${KESTRINE_BUILD_ROOT:-$root/build}/win64"
# Wine's server and services start inside the virtual display: Wine's desktop
# process needs a display from its first moment, or windows cannot be
# created until it gives up.
# -a picks a free display number; the tests' windows live on it.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
    source '$root/tools/wine-env.sh' '$winbuild'
    wine_start
    cd '$winbuild' && ctest --output-on-failure -j 2
    rc=\$?
    wine_stop
    exit \$rc" || status=1
exit $status
