#!/usr/bin/env bash
# End to end: the real Velkor.exe in a fresh program folder under Wine, with two simulated CD-ROM
# drives D: and E: (folders marked as cdrom, each with its own raw device node), driven from a
# second Win32 process as a person would. The CD-ROM requests Wine makes are logged by
# fake_cdrom_ioctl.so. Needs a display (test.sh provides Xvfb) and both builds.
#   run-e2e.sh ROOT
# Every start of the program is watched: a crash fails the run, named with its section. Last comes
# a seeded random-action run of the real program (the monkey, in the driver).
set -euo pipefail
root=$1
e2e=$root/build/e2e
work=$e2e velkor_folder=$e2e/Velkor ini=$e2e/Velkor/Velkor.ini log=$e2e/ioctl.log
. "$root/tests/e2e/common.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/windows/CMakeCache.txt")
running=${version//./}                                      # 0.6.1 is "061" to the update check
newer=$(printf '%0*d' "${#running}" $((10#$running + 1)))  # and "062" is newer

wine_prefix_down "$e2e/prefix"
rm -rf "$e2e"
mkdir -p "$e2e"
fresh_prefix "$e2e/prefix" D E
# Web and mail addresses the shell opens are written down instead of going to a browser.
for scheme in https mailto; do
    "$WINE" reg add "HKLM\\Software\\Classes\\$scheme\\shell\\open\\command" /ve \
        /d 'C:\windows\system32\cmd.exe /c echo %1>>C:\opened.txt' /f </dev/null >/dev/null 2>&1
done
"$WINESERVER" -k </dev/null >/dev/null 2>&1 || true

export LD_PRELOAD=$root/build/native/libfake_cdrom_ioctl.so
export VELKOR_IOCTL_LOG=$log VELKOR_IOCTL_FAIL_FILE=$e2e/fail
touch "$log"
wine_prefix_up "$e2e/prefix"
trap 'wine_prefix_down "$e2e/prefix"' EXIT
cp -a "$root/build/windows/Velkor" "$e2e/Velkor"
# DLLs named like the system's that the program loads only when an action needs them, placed in
# its folder as anyone who may write there could. Told to prefer a DLL found beside the program
# (as Windows does for these), Wine would load them on a plain name: the program must not.
planted=(wininet winmm shell32)
for dll in "${planted[@]}"; do cp "$root/build/windows/Planted.dll" "$e2e/Velkor/$dll.dll"; done
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(IFS=,; echo "${planted[*]}")=n,b"

# The scenarios (scenarios/*.sh, in order, each going on from the state the one before left),
# written in the steps of common.sh. VELKOR_E2E_PART=monkey runs only the random-action run
# (VELKOR_MONKEY_STEPS, VELKOR_MONKEY_SEED), VELKOR_E2E_PART=scenarios all but it.
if [ "${VELKOR_E2E_PART:-all}" != monkey ]; then
    for scenario in "$root"/tests/e2e/scenarios/*.sh; do
        # shellcheck source=/dev/null
        . "$scenario"
    done
    section "no DLL placed in the program folder was loaded"
    # Every scenario ran the update check, the tray door, the links and the notification-area
    # icon: each DLL of theirs came from System32.
    if [ -e "$e2e/prefix/drive_c/planted.txt" ]; then
        bad "loaded from the program folder: $(iconv -f utf-16le "$e2e/prefix/drive_c/planted.txt" | tr -d '\r' | tr '\n' ' ')"
    else
        ok "none of ${planted[*]} was loaded from the program folder"
    fi
fi
if [ "${VELKOR_E2E_PART:-all}" = scenarios ]; then
    watch_crash
    echo "e2e: $passed passed, $failures failed"
    exit $((failures > 0))
fi

section "the random-action run"
watch_crash
rm -rf "$e2e/Monkey"
cp -a "$root/build/windows/Velkor" "$e2e/Monkey"
seed=${VELKOR_MONKEY_SEED:-1}  # the test command replays one run; scripts/monkey.sh varies it
steps=${VELKOR_MONKEY_STEPS:-300}
# The drives the run plugs in, takes away and replugs: D: and E:, and F:, which comes and goes.
disc F
timeout -k 5 $((steps * 4 + 120)) "$WINE" "$driver" monkey "$seed" "$steps" "$(winpath "$e2e/Monkey")" \
    "$(winpath "$log")" "$e2e" </dev/null 2>"$e2e/monkey.err" | tr -d '\r' >"$e2e/monkey.log" || true
tail -1 "$e2e/monkey.log"
if grep -q "^monkey: $steps steps, 0 failures" "$e2e/monkey.log"; then
    ok "$steps random steps, seed $seed"
else
    grep "FAILED" "$e2e/monkey.log" | head -3
    bad "the random-action run, seed $seed (replay: VELKOR_MONKEY_SEED=$seed; log build/e2e/monkey.log)"
fi

echo "e2e: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
