#!/bin/bash
# Builds the benchmarks and runs every bench/*.sh in turn. Each prints its
# figures next to a reference measured in the same run.
# Usage: tools/bench.sh [name...]   (names of bench/*.sh without .sh; all by default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
broot="${KESTRINE_BUILD_ROOT:-$root/build}"
"$root/tools/install-deps.sh"
KESTRINE_BUILDS="${KESTRINE_BUILDS:-native win64}" "$root/tools/build.sh"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for f in "$root"/bench/*.sh; do names+=("$(basename "$f" .sh)"); done
fi
# Wine starts inside the virtual display (its desktop process needs one).
export root broot
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    source "$root/tools/wine-env.sh" "$broot/win64"
    wine_start
    for n in "$@"; do
        echo "===== $n"
        bash "$root/bench/$n.sh" "$broot"
    done
    wine_stop' bench "${names[@]}"
