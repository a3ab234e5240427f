#!/bin/bash
# Configures and builds the three builds: build/native (logic and unit tests,
# sanitizers), build/win64 (the program and every test, run under wine64) and
# build/win32 (the shipped program). Extra arguments go to every configure.
# KESTRINE_BUILDS selects a subset, e.g. KESTRINE_BUILDS="win64".
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
builds="${KESTRINE_BUILDS:-native win64 win32}"
jobs="$(nproc)"
werror=OFF
[ "${CI:-}" = true ] && werror=ON

for b in $builds; do
    case "$b" in
        native) toolchain=() ;;
        win64) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
        win32) toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
        *) echo "unknown build $b" >&2; exit 2 ;;
    esac
    dir="${KESTRINE_BUILD_ROOT:-$root/build}/$b"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRINE_WERROR=$werror "$@"
    else
        cmake -S "$root" -B "$dir" -DKESTRINE_WERROR=$werror "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs"
done
