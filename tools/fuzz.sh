#!/bin/bash
# Builds the list-file fuzzer with clang (libFuzzer, ASan, UBSan) and runs it
# for a bounded time on a copy of tests/fuzz/corpus, so that the inputs it
# finds never land in the repository.
# KESTRINE_FUZZ_SECONDS sets the time (60 by default).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${KESTRINE_BUILD_ROOT:-$root/build}/fuzz"
seconds="${KESTRINE_FUZZ_SECONDS:-60}"

CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRINE_SANITIZE=OFF -DKESTRINE_BENCH=OFF >/dev/null
cmake --build "$dir" --target listfile_fuzz -j 2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$root"/tests/fuzz/corpus/* "$work/"
# Inputs up to 4 MiB leave room for enormous lines; -timeout catches a hang.
"$dir/tests/fuzz/listfile_fuzz" -max_total_time="$seconds" -max_len=4194304 -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 "$work" 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
