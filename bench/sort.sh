#!/bin/bash
# Column sort: the fast ordering next to the plain quadratic insertion, on
# 10,000 to 1,000,000 rows per key kind. Built optimised and without
# sanitizers in a build directory of its own.
# Usage: bash bench/sort.sh BUILD_ROOT [largest reference size]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1/bench-native"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKESTRINE_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target sort_bench -j 2 >/dev/null
"$dir/bench/sort_bench" "${2:-100000}"
