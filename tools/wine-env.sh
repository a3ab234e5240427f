# Sourced by the scripts that run Windows programs: a hermetic Wine in the
# build tree, GBK as the ANSI code page, no Mono/Gecko prompts.
# Usage: source tools/wine-env.sh BUILD_DIR
KESTRINE_WINE_BUILD_DIR="$(cd "${1:?build dir}" && pwd)"
export WINEPREFIX="$KESTRINE_WINE_BUILD_DIR/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64="$(command -v wine64 || command -v wine)"
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER="$(command -v wineserver)"
export WINE64 WINESERVER

# Creates the prefix once and keeps a wineserver with Wine's services running,
# so that each test process starts in milliseconds instead of seconds.
wine_start() {
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.kestrine-booted" ]; then
            "$WINE64" wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
            "$WINESERVER" -w 9>&-
            touch "$WINEPREFIX/.kestrine-booted"
        fi
        # The server and Wine's services outlive this function: they must not
        # inherit the lock's descriptor, or the lock is never released.
        "$WINESERVER" -p </dev/null >/dev/null 2>&1 9>&- || true
        "$WINE64" wineboot </dev/null >/dev/null 2>&1 9>&- || true
        if [ ! -f "$WINEPREFIX/.kestrine-desktop" ]; then
            # Windows live in Wine's own virtual desktop: without a window
            # manager on the virtual display, every top-level window otherwise
            # waits about 2 s for a manager that never answers.
            "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 9>&-
            "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1 9>&-
            touch "$WINEPREFIX/.kestrine-desktop"
        fi
    ) 9>"$WINEPREFIX.lock"
}

wine_stop() {
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
}
