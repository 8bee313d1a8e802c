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
    for d in "$@"; do
        disc "$d"
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

disc() {  # disc LETTER: the folder and raw device node of a simulated drive, $work/discL and dev/cdL
    mkdir -p "$work/disc$1" "$work/dev"
    [ -e "$work/dev/cd$1" ] || mknod "$work/dev/cd$1" c 1 3
}

# Every Wine start is bounded: a process that never ends fails its check instead of the run.
drive() { timeout -k 5 60 "$WINE" "$driver" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
front() {  # front [TITLE]: that window (the main one) in front, where the next keys go
    drive activate "$@" >/dev/null || bad "could not bring ${1:-the main window} to the front"
}
# Under set -e a step that fails outside a check (an `act`) ends the run: it is named, with where
# it was called from, on stderr (an `act` has no stdout), and its screen kept as a failure's.
stopped() {  # stopped COMMAND; only the script's own shell, not a $(...) that may fail
    local i=0 where="" frame line file
    [ "$BASHPID" = "$$" ] || return 0
    while frame=$(caller $i); do
        read -r line _ file <<<"$frame"
        where="$where ${file##*/}:$line"
        i=$((i + 1))
    done
    bad "the run stopped: \"$1\" failed, at$where" >&2
}
set -o errtrace
trap 'stopped "$BASH_COMMAND"' ERR
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

# The steps scenarios are written in: one thing a person or the system does, or one check.
act() { drive "$@" >/dev/null; }  # act COMMAND ARGS...: a driver command whose output is not read
press() { act keys "$@"; }        # press KEY...: typed into the window in front
action() {                        # action CAPTION: that option of the main window, then OK
    front
    act click "$1"
    act click OK
}
popup() {  # popup KEY...: the icon's pop-up menu, and the keys typed into it
    local why
    why=$(drive tray right) || bad "the pop-up menu did not open: $why"
    sleep 0.5
    press "$@"
}
check() {  # check NAME COMMAND...: passes when the command succeeds
    local name=$1
    shift
    "$@" >/dev/null && ok "$name" || bad "$name"
}
refute() {  # refute NAME COMMAND...: passes when the command fails
    local name=$1
    shift
    "$@" >/dev/null && bad "$name" || ok "$name"
}
box_is() {  # box_is NAME ok|cancel MS PATTERN: the next message box, answered, is "title|text"
    local box
    box=$(drive box "$2" "$3" || true)
    # shellcheck disable=SC2053  # PATTERN is a glob
    [[ $box == $4 ]] && ok "$1 ($box)" || bad "$1: [$box]"
}
mark() { before=$(wc -l <"$log"); }  # then: no_requests NAME
no_requests() { [ "$(wc -l <"$log")" = "$before" ] && ok "$1" || bad "$1: $(tail -n +$((before + 1)) "$log" | head -3)"; }
combo() { drive combo | paste -sd/; }  # the drive list on one line: "D: locked|1/.../selected=N"
window_up() {  # window_up TITLE [MS]: shown, and given a person's moment before the next key
    drive wait-window "$1" "${2:-5000}" || {
        bad "the window \"$1\" did not show"
        return 1
    }
    sleep 0.3
    front "$1"  # as after a click on its title bar
    sleep 0.1
}
setting() {  # setting KEY=VALUE...: those values in the settings file, in place
    local pair
    for pair in "$@"; do sed -i "s/^${pair%%=*}=.*/$pair/" "$ini"; done
}
records() { local k; for k; do record "$k"; done | paste -sd' '; }  # records KEY...: on one line
give_password() {  # give_password [MS]: the prompt answered with the scenarios' password, typed
    window_up "Password required" "${1:-5000}" || true
    act text Kiosk42
    press enter
}
