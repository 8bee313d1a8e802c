#!/usr/bin/env bash
# The Windows Installer package: made by the release target, read with msiinfo, then (signed by
# the release tier, tests/release/run-release.sh) installed for a lab with start-up settings,
# upgraded, repaired, offered as a downgrade and removed by Wine's msiexec in a fresh prefix with
# one simulated CD-ROM drive, the installed Velkor starting and locking it in between as a person
# does. Needs a display (test.sh provides Xvfb), both builds and the release tier's output.
#   run-msi.sh ROOT
set -euo pipefail
root=$1
work=$root/build/msi
. "$root/tests/e2e/common.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/windows/CMakeCache.txt")
IFS=. read -r major minor revision <<<"$version"
newer=$major.$minor.$((revision + 1)) newest=$major.$minor.$((revision + 2))
msi=$root/build/windows/Velkor-$version.msi
signed=$root/build/release-check/build/Velkor-$version.msi
prefix=$work/prefix
velkor_folder="$prefix/drive_c/Program Files/Velkor"
ini=$velkor_folder/Velkor.ini
log=$work/ioctl.log
run=HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run

table() { msiinfo export "$1" "$2" | tail -n +4 | tr -d '\r' | LC_ALL=C sort; }  # its rows
same() { [ "$3" = "$2" ] && ok "$1" || bad "$1: expected [$2] got [$3]"; }  # same NAME EXPECTED ACTUAL
# Wine's msiexec, bounded, its verbose log in $work/NAME.log. The exit code arrives cut to 8 bits
# (1603 as 67, 3010 as 194). A start that wrote no log at all (Wine's own start failure, seen on
# young prefixes) is retried once, and said so.
msiexec() {  # msiexec NAME ARGS...
    local name=$1 status
    shift
    for attempt in 1 2; do
        rm -f "$work/$name.log"
        status=0
        timeout -k 5 300 "$WINE" msiexec "$@" '/l*v' "$(winpath "$work/$name.log")" \
            </dev/null >/dev/null 2>&1 || status=$?
        [ -s "$work/$name.log" ] || [ "$attempt" = 2 ] && break
        echo "  (msiexec $name: no log, exit $status: Wine did not start it; once more)"
    done
    return "$status"
}
value() {  # value KEY NAME: its data, or nothing
    "$WINE" reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
products() {  # the version of each installed product named Velkor
    "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s </dev/null 2>/dev/null |
        tr -d '\r' | awk '/^HKEY/ { if (n == "Velkor") print v; n = v = "" }
            $1 == "DisplayName" { n = $3 } $1 == "DisplayVersion" { v = $3 }
            END { if (n == "Velkor") print v }'
}
files() { (cd "$velkor_folder" 2>/dev/null && ls) | LC_ALL=C sort | tr '\n' ' '; }
# Wine puts the shortcut of a per-machine package in the user's Start menu, Windows in the
# common one: either will do.
shortcut() { find "$prefix/drive_c" -path '*/Start Menu/Programs/Velkor.lnk' 2>/dev/null; }
velkor_processes() {  # Velkor.exe processes of this prefix, whoever started them
    local pid n=0
    for pid in $(pgrep -f 'Velkor\.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && n=$((n + 1))
    done
    echo "$n"
}
exe_version() {  # exe_version EXE [raise]: the file version in its version resource, raised first
    python3 - "$@" <<'PY'
import struct, sys
exe = bytearray(open(sys.argv[1], "rb").read())
at = exe.find(b"\xbd\x04\xef\xfe") + 8  # VS_FIXEDFILEINFO's file and product versions
ms, ls, product_ms, product_ls = struct.unpack_from("<4I", exe, at)
if sys.argv[2:] == ["raise"]:
    ls, product_ls = ls + 0x10000, product_ls + 0x10000
    struct.pack_into("<4I", exe, at, ms, ls, product_ms, product_ls)
    open(sys.argv[1], "wb").write(exe)
print(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
PY
}

section "the release target makes the zip and the package, from CMakeLists.txt's version"
wine_prefix_down "$prefix"
rm -rf "$work"
mkdir -p "$work"
(cd "$root" && cmake --build --preset windows --target release >"$work/release.log") ||
    { tail -20 "$work/release.log"; echo "msi: the release target failed"; exit 1; }
release=$(unzip -Z1 "$root/build/windows/Velkor-$version.zip" | sed -n 's#^Velkor/\(..*\)#\1#p' |
    LC_ALL=C sort | tr '\n' ' ')
# Without its file version in the package, Windows would keep an installed Velkor.exe at an upgrade.
product_version=$(table "$msi" Property | sed -n 's/^ProductVersion\t//p')
exe_in_package=$(table "$msi" File | awk -F'\t' '$1 == "VelkorExe" { print $5 }')
packaged=$(table "$msi" File | cut -f3 | LC_ALL=C sort | tr '\n' ' ')
same "Velkor-$version.msi: version $version, Velkor.exe's as its resource says, the zip's files ($release)" \
    "$version $version.0 $version.0 $release" \
    "$product_version $exe_in_package $(exe_version "$root/build/windows/release/Velkor/Velkor.exe") $packaged"
upgrade_code=$(table "$msi" Property | sed -n 's/^UpgradeCode\t//p')
same "older versions are replaced; a newer one refuses the package, with a message" \
    "$(printf '%s\t\t%s\t\t1\t\tWIX_UPGRADE_DETECTED\n%s\t%s\t\t\t2\t\tWIX_DOWNGRADE_DETECTED\n%s' \
        "$upgrade_code" "$version" "$upgrade_code" "$version" \
        $'NOT WIX_DOWNGRADE_DETECTED\tA newer version of Velkor is already installed.')" \
    "$(table "$msi" Upgrade; table "$msi" LaunchCondition | grep WIX_DOWNGRADE)"
same "a Start menu shortcut to Velkor.exe" $'ProgramMenuFolder\tVelkor\t[#VelkorExe]' \
    "$(table "$msi" Shortcut | cut -f2,3,5)"
row=$(table "$msi" Registry | awk -F'\t' '$4 == "Velkor"')
condition=$(table "$msi" Component | awk -F'\t' -v c="$(cut -f6 <<<"$row")" '$1 == c { print $5 }')
same "the Run value (HKLM), in a component installed on AUTOSTART" \
    '2|Software\Microsoft\Windows\CurrentVersion\Run|Velkor|"[INSTALLDIR]Velkor.exe"|AUTOSTART' \
    "$(cut -f2-5 <<<"$row" | tr '\t' '|')|$(sed -n 's/.*\(AUTOSTART\).*/\1/p' <<<"$condition")"

# The next version: the same files, the program's version resource one revision up, as the next
# build's would be.
# package NAME STEPS VERSION: the next versions, signed (build/msi/NAME, Velkor-VERSION.msi)
package() {
    rm -rf "${work:?}/$1"
    cp -a "$root/build/windows/release/Velkor" "$work/$1"
    for _ in $(seq "$2"); do exe_version "$work/$1/Velkor.exe" raise >/dev/null; done
    bash "$root/packaging/build-msi.sh" "$work/$1" "$3" "$work/$1.msi" "$root/build/windows/VelkorSetup.exe"
    osslsigncode sign -certs "$root/build/release-check/cert.pem" -key "$root/build/release-check/key.pem" \
        -h sha256 -in "$work/$1.msi" -out "$work/Velkor-$3.msi" >/dev/null
}
package newer 1 "$newer"
package newest 2 "$newest"
starts_up() { records DeviceAll UseLastState Minimize Standby Delay Language; }  # of Velkor.ini

section "values a lab may not give are refused, with the reason"
fresh_prefix "$prefix" D
export LD_PRELOAD=$root/build/native/libfake_cdrom_ioctl.so VELKOR_IOCTL_LOG=$log
touch "$log"
wine_prefix_up "$prefix"
trap 'wine_prefix_down "$prefix"' EXIT
(
    status=0
    msiexec conflict /i "$(winpath "$signed")" /qb LOCKALL=1 RESTORE=1 || status=$?
    echo "$status" >"$work/conflict.code"
) &
box=$(drive box ok 60000 || true)
wait $!
same "LOCKALL=1 RESTORE=1: refused with its reason" "LOCKALL=1 and RESTORE=1 cannot be given together. 1" \
    "${box#*|} $([ "$(cat "$work/conflict.code")" != 0 ] && echo 1)"
for value in 32768 -1 5s; do
    msiexec delay /i "$(winpath "$signed")" /qn DELAY="$value" && bad "DELAY=$value was taken" ||
        ok "DELAY=$value: refused, exit $?"
done
same "nothing installed" "|" "$(products)|$(files)"

section "a lab's silent install of the signed package: AUTOSTART=1 LOCKALL=1 MINIMIZE=1"
msiexec install /i "$(winpath "$signed")" /qn AUTOSTART=1 LOCKALL=1 MINIMIZE=1 &&
    ok "msiexec /i /qn AUTOSTART=1 LOCKALL=1 MINIMIZE=1: exit 0" ||
    bad "msiexec /i: exit $? (build/msi/install.log)"
expect "the release's files in C:\\Program Files\\Velkor" "$release" files
expect "Velkor starts at logon" "\"C:\\Program Files\\Velkor\\Velkor.exe\"" value "$run" Velkor
expect "the Start menu shortcut, to the installed Velkor.exe" "1" \
    eval 'grep -ac "C:\\\\Program Files\\\\Velkor\\\\Velkor.exe" "$(shortcut)"'
expect "Velkor.ini: all locked, no restoring (it would win), minimised; the rest as shipped" \
    "DeviceAll=1 UseLastState=0 Minimize=1 Standby=1 Delay=0 Language=0" starts_up

section "Velkor starts as at a lab's logon: in the notification area, the drive locked"
start_velkor
expect "the icon is there" "1" drive icon
expect "no window is shown" "0" drive visible
expect "D: locked at start" "1" locks 1 D
popup x
check "Exit from the pop-up menu ends it" eval 'drive box ok 10000 && [ "$(wait_exit)" = 0 ]'

section "a silent upgrade to $newer without properties keeps the lab's settings"
msiexec upgrade /i "$(winpath "$work/Velkor-$newer.msi")" /qn && ok "msiexec /i /qn: exit 0" ||
    bad "msiexec /i: exit $? (build/msi/upgrade.log)"
cmp -s "$velkor_folder/Velkor.exe" "$work/newer/Velkor.exe" && ok "the newer Velkor.exe is installed" ||
    bad "the older Velkor.exe is still there"
expect "one Velkor installed, version $newer" "$newer" products
expect "Velkor.ini as the lab set it" "DeviceAll=1 UseLastState=0 Minimize=1 Standby=1 Delay=0 Language=0" \
    starts_up
expect "it still starts at logon, without AUTOSTART given again" \
    "\"C:\\Program Files\\Velkor\\Velkor.exe\"" value "$run" Velkor

section "a silent upgrade to $newest with properties applies them: LOCKALL=0 RESTORE=1 MINIMIZE=0 DELAY=250"
msiexec settings /i "$(winpath "$work/Velkor-$newest.msi")" /qn LOCKALL=0 RESTORE=1 MINIMIZE=0 DELAY=250 &&
    ok "msiexec /i /qn with properties: exit 0" || bad "msiexec /i: exit $? (build/msi/settings.log)"
expect "one Velkor installed, version $newest" "$newest" products
expect "Velkor.ini has them" "DeviceAll=0 UseLastState=1 Minimize=0 Standby=1 Delay=250 Language=0" starts_up
msiexec maintenance /i "$(winpath "$work/Velkor-$newest.msi")" /qn STANDBY=0 &&
    ok "the installed package given STANDBY=0: exit 0" || bad "msiexec /i: exit $? (build/msi/maintenance.log)"
expect "Velkor.ini has it" "DeviceAll=0 UseLastState=1 Minimize=0 Standby=0 Delay=250 Language=0" starts_up

section "the installed Velkor locks the drive as a person does"
start_velkor
check "it starts, its window shown" drive wait-main 30000
unlocked=$(locks 0 D)
action "&Unlock"
expect "Unlock, OK: D: unlocked and recorded" "$((unlocked + 1)) DeviceD=0" \
    eval 'echo "$(locks 0 D) $(record DeviceD)"'
locked=$(locks 1 D)
action "&Lock"
expect "Lock, OK: D: locked and recorded" "$((locked + 1)) DeviceD=1" \
    eval 'echo "$(locks 1 D) $(record DeviceD)"'
exit_velkor "File > Exit ends it" alt+f x
printf 'Password=\r\n' >"$velkor_folder/password.txt"  # as the preferences leave it

section "a repair without properties keeps what was set"
# A repair of every file, as /fa asks for (Wine's msiexec /f ends at once with exit 1 and no log).
msiexec repair /i "$(winpath "$work/Velkor-$newest.msi")" REINSTALL=ALL REINSTALLMODE=amus /qn &&
    ok "msiexec /i REINSTALL=ALL REINSTALLMODE=amus /qn: exit 0" || bad "repair: exit $? (build/msi/repair.log)"
expect "Velkor.ini keeps its start-up values and lock record, password.txt stays" \
    "DeviceAll=0 UseLastState=1 Minimize=0 Standby=0 Delay=250 Language=0 DeviceD=1 Password=" \
    eval 'echo "$(starts_up) $(record DeviceD) $(tr -d "\r" <"$velkor_folder/password.txt")"'
before=$(locks 1 D)
start_velkor
act wait-main 30000 || bad "the repaired Velkor's main window never came"
expect "Velkor locks D: again at start, from its record" \
    "D: locked|1/selected=1 $((before + 1))" eval 'echo "$(combo) $(locks 1 D)"'
exit_velkor "File > Exit ends it" alt+f x

section "the older package over the newer one is refused"
(
    status=0
    msiexec downgrade /i "$(winpath "$signed")" /qb || status=$?
    echo "$status" >"$work/downgrade.code"
) &
# Quiet, Wine's msiexec neither shows nor logs the launch condition's message: with the basic
# interface it shows it, as Windows does in both.
box=$(drive box ok 60000 || true)
wait $!
code=$(cat "$work/downgrade.code")
[ "${box#*|}" = "A newer version of Velkor is already installed." ] && [ "$code" != 0 ] &&
    ok "refused with \"${box#*|}\", exit $code" || bad "downgrade: box [$box], exit $code (build/msi/downgrade.log)"
same "nothing changed: $newest alone installed, its Velkor.exe, the record" "$newest same DeviceD=1" \
    "$(products) $(cmp -s "$velkor_folder/Velkor.exe" "$work/newest/Velkor.exe" && echo same) $(record DeviceD)"

section "a silent uninstall removes what the package installed"
msiexec uninstall /x "$(winpath "$work/Velkor-$newest.msi")" /qn && ok "msiexec /x /qn: exit 0" ||
    bad "msiexec /x: exit $? (build/msi/uninstall.log)"
expect "only password.txt, written by Velkor, is left in its folder" "password.txt " files
same "no logon start, no shortcut, nothing registered" "||" "$(value "$run" Velkor)|$(shortcut)|$(products)"
expect "no Velkor process left" "0" velkor_processes
watch_crash

echo "msi: $passed passed, $failures failed (${SECONDS} s)"
[ "$failures" -eq 0 ]
