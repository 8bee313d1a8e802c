#!/usr/bin/env bash
# Builds Velkor for Windows and runs it under Wine from its program folder.
# With a display the program runs until you exit it. Without one it runs under Xvfb, a
# screenshot is written to build/windows/screenshot.png, and the program is ended.
set -euo pipefail
[ -n "${VELKOR_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Velkor

. scripts/wine-prefix.sh
prefix=$root/build/windows/wineprefix
folder=$root/build/windows/Velkor

if [ -n "${DISPLAY:-}" ] && [ -z "${VELKOR_UNDER_XVFB:-}" ]; then
    wine_prefix_up "$prefix"
    cd "$folder"
    exec "$WINE" Velkor.exe
fi

if [ -z "${VELKOR_UNDER_XVFB:-}" ]; then
    export VELKOR_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
trap 'wine_prefix_down "$prefix"' EXIT
wine_prefix_up "$prefix"
(cd "$folder" && exec "$WINE" Velkor.exe) &
program=$!
for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Velkor"' && break
    sleep 0.2
done
sleep 1  # let it paint
import -display "$DISPLAY" -window root "$root/build/windows/screenshot.png"
echo "Velkor ran; screenshot: build/windows/screenshot.png"
wine_prefix_down "$prefix"
wait "$program" 2>/dev/null || true
