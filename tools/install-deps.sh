#!/bin/bash
# Installs the Debian packages the build and the tests need, when any is
# missing, and generates the zh_CN.UTF-8 locale that makes Wine's ANSI code
# page 936. Debian's i386 architecture is deliberately not enabled: 32-bit
# Wine cannot run on these machines; the tests run the 64-bit build.
set -euo pipefail

PACKAGES=(
    cmake make g++ clang libclang-rt-14-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
    wine wine64 xvfb xauth x11-utils imagemagick fonts-wqy-microhei
    googletest locales coreutils findutils procps
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ "${KESTRINE_APT_UPDATE:-0}" = 1 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        apt-get install -y --no-install-recommends "${missing[@]}"
    fi
fi

if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen
fi
