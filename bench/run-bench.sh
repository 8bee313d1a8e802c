#!/usr/bin/env bash
# Measures the program as a user meets it, under Wine: start-up to a visible window and to the
# notification-area icon beside a bare Win32 window program (medians), CPU time while idle in
# the notification area, private memory after start-up, the exe's size and the DLLs it imports.
# Prints a table with the ratios to the bare program. Figures, not pass/fail: the test command runs
# it once with a short budget.
#   bench/run-bench.sh ROOT [RUNS [IDLE_SECONDS]]      (defaults 10 and 60)
#   VELKOR_BENCH_TIMELINE=1 also prints the program's own start-up marks of one start.
# Needs the Windows build and a display (scripts/test.sh provides Xvfb).
set -euo pipefail
root=$(cd "${1:-.}" && pwd)
runs=${2:-10}
idle=${3:-60}
work=$root/build/bench
. "$root/tests/e2e/common.sh"  # the driver, the prefix helpers
rm -rf "$work"
mkdir -p "$work"
wine_prefix_up "$base"
wine_prefix_down "$base"
cp -a "$base" "$work/prefix"
wine_prefix_up "$work/prefix"
trap 'wine_prefix_down "$work/prefix"' EXIT
cp -a "$root/build/windows/Velkor" "$work/Velkor"
cp "$root/build/windows/BareWindow.exe" "$work/"

# In the background, bounded, and off this script's output, which a leftover would keep open.
# Wine's report of a crash lands in one .err file per start, looked at once all runs are done.
launches=0
launch() {
    launches=$((launches + 1))
    (cd "$1" && exec timeout -k 5 "$((idle + 120))" "$WINE" "$2" </dev/null >/dev/null \
        2>"$work/start-$launches.err") >/dev/null 2>&1 &
}
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
settings() {  # settings MINIMIZE
    printf '[Default]\r\nDeviceAll=0\r\nUseLastState=0\r\nMinimize=%s\r\nStandby=1\r\nDelay=0\r\n[Language]\r\nLanguage=0\r\n' \
        "$1" >"$work/Velkor/Velkor.ini"
}
# time_start FOLDER EXE WHAT: milliseconds from the start until WHAT is there ("main": the shown
# main window, or "icon"). The driver, running already, starts the program and polls every
# 5 ms: neither a measuring process's own start nor Wine's start from the shell is in the figure.
# The program's output (Wine's report of a crash) goes to one .err file per start.
time_start() {
    launches=$((launches + 1))
    # Into a file, not a pipe: the program inherits the driver's output and outlives it.
    (cd "$1" && exec timeout -k 5 60 "$WINE" "$driver" start-timed "Z:${1//\//\\}" "$2" "$3" 30000 \
        </dev/null >"$work/timed" 2>"$work/start-$launches.err") || true
    tr -d '\r' <"$work/timed"
}
end_velkor() {
    drive kill >/dev/null || true
    sleep 0.3
}

# The three starts take turns, so that a slower spell of the machine falls on all of them.
window=() icon=() bare=()
for _ in $(seq 1 "$runs"); do
    settings 0
    window+=("$(time_start "$work/Velkor" Velkor.exe main)")
    end_velkor
    bare+=("$(time_start "$work" BareWindow.exe main)")  # same class and title
    end_velkor
    settings 1
    icon+=("$(time_start "$work/Velkor" Velkor.exe icon)")
    end_velkor
done

# A script's command through the copy running in the notification area: from the command
# process's start to its end (this prefix has no CD-ROM drive: /lock all is the round trip and
# the gate, without a device request or a record).
launch "$work/Velkor" Velkor.exe
for _ in $(seq 1 300); do [ "$(drive icon)" = 1 ] && break; sleep 0.02; done
status=() lock=()
for _ in $(seq 1 "$runs"); do
    status+=("$(time_start "$work/Velkor" "Velkor.exe /status" exit)")
    lock+=("$(time_start "$work/Velkor" "Velkor.exe /lock all" exit)")
done
end_velkor

for t in "${window[@]}" "${bare[@]}" "${icon[@]}" "${status[@]}" "${lock[@]}"; do
    [[ $t =~ ^[0-9]+$ ]] || { echo "benchmark: a start did not show within 30 s"; exit 1; }
done

own_pid() {  # own_pid PATTERN: the running program's own process, not the timeout around it
    local p
    for p in $(pgrep -f "$1"); do [ "$(cat "/proc/$p/comm")" = timeout ] || { echo "$p"; return; }; done
}
private_kb_of() { awk '/^Private_(Clean|Dirty):/ {kb += $2} END {print kb}' "/proc/$(own_pid "$1")/smaps_rollup"; }
launch "$work" BareWindow.exe
drive wait-main 30000 >/dev/null || true
sleep 1
bare_kb=$(private_kb_of 'BareWindow\.exe')
end_velkor

# Idle in the notification area: CPU time of the program's process over the idle span.
launch "$work/Velkor" Velkor.exe
for _ in $(seq 1 300); do [ "$(drive icon)" = 1 ] && break; sleep 0.02; done
sleep 1
pid=$(own_pid 'Velkor\.exe')
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
private_kb=$(private_kb_of 'Velkor\.exe')
before=$(ticks)
sleep "$idle"
cpu_ms=$(( ($(ticks) - before) * 1000 / hz ))
end_velkor

if grep -ls "Unhandled" "$work"/start-*.err; then
    echo "benchmark: a start of the program crashed (the files above hold Wine's report)"
    exit 1
fi

exe=$work/Velkor/Velkor.exe
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -f | tr '\n' ' ')

window_ms=$(printf '%s\n' "${window[@]}" | median)
icon_ms=$(printf '%s\n' "${icon[@]}" | median)
bare_ms=$(printf '%s\n' "${bare[@]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf '\n%-52s %-10s %-10s %s\n' "measure (Wine, $runs runs each, alternating; medians)" "Velkor" "bare" "ratio"
printf '%-52s %-10s %-10s %s\n' "start-up to a visible window" "$window_ms ms" "$bare_ms ms" "$(ratio "$window_ms" "$bare_ms")"
printf '%-52s %-10s %-10s %s\n' "start-up to the icon (bare: to its window)" "$icon_ms ms" "$bare_ms ms" "$(ratio "$icon_ms" "$bare_ms")"
printf '%-52s %-10s %-10s %s\n' "private memory after start-up" "$private_kb KiB" "$bare_kb KiB" "$(ratio "$private_kb" "$bare_kb")"
for c in status lock; do
    declare -n times=$c
    ms=$(printf '%s\n' "${times[@]}" | median)
    printf '%-52s %-10s %-10s %s\n' "a script's /$c through the running copy (bare: start)" \
        "$ms ms" "$bare_ms ms" "$(ratio "$ms" "$bare_ms")"
done
printf '%-52s %s\n' "CPU time idle in the notification area, ${idle} s" "$cpu_ms ms"
printf '%-52s %s\n' "Velkor.exe size" "$(stat -c %s "$exe") bytes"
printf '%-52s %s\n' "imported DLLs" "$imports"
echo "(start-up times: from the start by a process that runs already to the window or icon)"

if [ -n "${VELKOR_BENCH_TIMELINE:-}" ]; then
    # The program's own marks (debugger output), in ms since its process was created.
    settings 0
    WINEDEBUG=-all,+debugstr launch "$work/Velkor" Velkor.exe
    drive wait-main 30000 >/dev/null || true
    end_velkor
    echo
    echo "start-up marks of one start (ms since the process was created):"
    grep -a "Velkor start-up:" "$work/start-$launches.err" | sed 's/.*Velkor start-up: /  /; s/\\n"$//'
fi
