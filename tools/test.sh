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
source "$root/tools/wine-env.sh" "${KESTRINE_BUILD_ROOT:-$root/build}/win64"
wine_start
trap wine_stop EXIT
# -a picks a free display number; the tests' windows live on it.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c "cd '${KESTRINE_BUILD_ROOT:-$root/build}/win64' && ctest --output-on-failure -j 2" || status=1
exit $status
