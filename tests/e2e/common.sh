# Shared by the tiers that drive the real Velkor.exe under Wine as a person would (run-e2e.sh,
# tests/msi/run-msi.sh). Source it with `root` set (the repository); the functions then use:
#   work           the tier's folder: screenshots of failures, the program's exit code and stderr
#   velkor_folder  where start_velkor starts Velkor.exe
#   ini            the Velkor.ini that record reads
#   log            fake_cdrom_ioctl.so's log of the CD-ROM requests (VELKOR_IOCTL_LOG)
# shellcheck shell=bash disable=SC2154  # those are the sourcing script's
. "$root/scripts/wine-prefix.sh"

driver=$root/build/windows/VelkorDriver.exe
base=$root/build/windows/wineprefix
passed=0
failures=0

# fresh_prefix PREFIX LETTER...: a copy of the build's booted prefix in which each LETTER is a
# simulated CD-ROM drive: the folder $work/discL marked as cdrom, with a raw device node of its own
# ($work/dev/cdL, so that the log tells the drives apart). Its server is left stopped: drives are
# read when it starts.
fresh_prefix() {
    local prefix=$1 d
    shift
    wine_prefix_down "$prefix"
    rm -rf "$prefix"
    wine_prefix_up "$base"
    wine_prefix_down "$base"  # its registry on disk before the copy
    cp -a "$base" "$prefix"
    mkdir -p "$work/dev"
    for d in "$@"; do
        mkdir -p "$work/disc$d"
        [ -e "$work/dev/cd$d" ] || mknod "$work/dev/cd$d" c 1 3
        ln -sfn "$work/disc$d" "$prefix/dosdevices/${d,,}:"
        ln -sfn "$work/dev/cd$d" "$prefix/dosdevices/${d,,}::"
    done
    wine_env "$prefix"
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    for d in "$@"; do
        "$WINE" reg add 'HKLM\Software\Wine\Drives' /v "${d,,}:" /d cdrom /f </dev/null >/dev/null 2>&1
    done
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
}

# Every Wine start is bounded: a process that never ends fails its check instead of the run.
drive() { timeout -k 5 60 "$WINE" "$driver" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
front() {  # front [TITLE]: that window (the main one) in front, where the next keys go
    drive activate "$@" >/dev/null || bad "could not bring ${1:-the main window} to the front"
}
ok() { passed=$((passed + 1)); echo "  ok: $1"; }
bad() {  # a screenshot of the moment is kept beside the log
    failures=$((failures + 1))
    echo "  FAILED: $1 (screen: ${work#"$root"/}/failure-$failures.png)"
    import -display "$DISPLAY" -window root "$work/failure-$failures.png" 2>/dev/null || true
}
expect() {  # expect NAME EXPECTED COMMAND... (retried for up to 5 s, or tries=N x step=0.2 s)
    local name=$1 expected=$2 actual=""
    shift 2
    for _ in $(seq 1 "${tries:-25}"); do
        actual=$("$@" || true)
        [ "$actual" = "$expected" ] && { ok "$name"; return; }
        sleep "${step:-0.2}"
    done
    bad "$name: expected [$expected] got [$actual]"
}
locks() { grep -c "^CDROM_LOCKDOOR $1 .*/cd$2\$" "$log" || true; }  # locks 0|1 LETTER
record() { grep -a "^$1=" "$ini" | tr -d '\r' || true; }
winpath() { echo "Z:${1//\//\\}"; }

# The program, started in the background: its exit code lands in $work/exit-code, Wine's reports
# in $work/velkor-N.err. Any crash fails the run, named with the section it happened in: Wine's
# "Unhandled" report, or an exit code other than 0 (checked once per start).
starts=0
section_name="start"
crashes_reported=""
end_leftover() {  # a failed check may leave the last start running: end it before the next
    [ -e "$work/running" ] || return 0
    crashes_reported="$crashes_reported $starts"  # ended on purpose, not a crash
    timeout -k 5 30 "$WINE" taskkill /f /im Velkor.exe </dev/null >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do [ -e "$work/running" ] || break; sleep 0.2; done
}
start_velkor() {
    end_leftover
    watch_crash
    rm -f "$work/exit-code"
    touch "$work/running"
    starts=$((starts + 1))
    # Not on this script's output: a program left running must not keep the log's pipe open.
    (
        cd "$velkor_folder" || exit
        timeout -k 5 900 "$WINE" Velkor.exe </dev/null >/dev/null 2>"$work/velkor-$starts.err"
        echo $? >"$work/exit-code"
        rm -f "$work/running"
    ) >/dev/null 2>&1 &
}
watch_crash() {
    local err=$work/velkor-$starts.err code
    [ "$starts" -gt 0 ] || return 0
    case " $crashes_reported " in *" $starts "*) return 0 ;; esac
    code=$(cat "$work/exit-code" 2>/dev/null || true)
    if grep -qs "Unhandled" "$err" || { [ -n "$code" ] && [ "$code" != 0 ]; }; then
        crashes_reported="$crashes_reported $starts"
        bad "the program ended abnormally in \"$section_name\" (exit code [$code]): $(grep -hs -m1 Unhandled "$err")"
    fi
}
section() {
    watch_crash
    section_name=$1
    echo "== $1"
}
wait_exit() {
    for _ in $(seq 1 50); do [ -f "$work/exit-code" ] && break; sleep 0.2; done
    cat "$work/exit-code" 2>/dev/null || true
}
exit_velkor() {  # exit_velkor NAME KEYS...: the keys ask to exit, OK answers, and it ends with 0
    local name=$1
    shift
    front
    drive keys "$@" >/dev/null
    drive box ok 10000 >/dev/null && [ "$(wait_exit)" = 0 ] && ok "$name" ||
        bad "$name: no exit question, or exit code [$(cat "$work/exit-code" 2>/dev/null)]"
}
