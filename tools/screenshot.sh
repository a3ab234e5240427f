#!/bin/bash
# Starts the program on a virtual display, scans a small sample tree with
# duplicates and Chinese names, marks the duplicates and saves a screenshot.
# Usage: tools/screenshot.sh [OUTPUT.png]   (default: shots/main.png)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/shots/main.png}"
mkdir -p "$(dirname "$out")"
broot="${KESTRINE_BUILD_ROOT:-$root/build}"
# xvfb-run is a plain sh script and drops exported bash functions, so the
# part that needs the display is this script again, run inside it.
if [ "${KESTRINE_SHOT_INSIDE:-}" != 1 ]; then
    KESTRINE_BUILDS=win64 "$root/tools/build.sh" >/dev/null
    KESTRINE_SHOT_INSIDE=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$out"
    echo "screenshot: $out"
    exit
fi

sample="$(mktemp -d /tmp/kestrine-sample.XXXXXX)"
trap 'rm -rf "$sample"' EXIT
mkdir -p "$sample/照片/2023" "$sample/文档" "$sample/backup"
printf 'holiday picture' > "$sample/照片/2023/海边.jpg"
printf 'holiday picture' > "$sample/backup/海边 副本.jpg"
printf 'annual report 2023' > "$sample/文档/年度报告.docx"
printf 'annual report 2023' > "$sample/backup/report-old.docx"
printf 'annual report 2023' > "$sample/年度报告(1).docx"
head -c 1536 /dev/zero > "$sample/文档/空白.dat"
head -c 5000000 /dev/urandom > "$sample/照片/视频片段.mp4"
printf 'notes' > "$sample/readme.txt"
: > "$sample/backup/empty.log"
: > "$sample/文档/另一个空文件.txt"
touch -d '2022-07-08 12:00' "$sample/readme.txt"

run() {
    source "$root/tools/wine-env.sh" "$broot/win64"
    wine_start   # inside the display: Wine's desktop process needs it
    "$WINE64" "$broot/win64/Kestrine.exe" &
    local app=$!
    "$WINE64" "$broot/win64/kestrine_drive.exe" "Z:${sample//\//\\}"
    sleep 1
    import -window root "$out"
    kill $app 2>/dev/null || true
    wine_stop
}
run
