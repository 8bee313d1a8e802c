#!/usr/bin/env bash
# The Windows Installer package: made by the release target, read with msiinfo, then installed,
# upgraded, offered as a downgrade and removed by Wine's msiexec in a fresh prefix with one
# simulated CD-ROM drive, the installed Velkor locking it in between as a person does. Needs a
# display (test.sh provides Xvfb) and both builds.
#   run-msi.sh ROOT
set -euo pipefail
root=$1
work=$root/build/msi
. "$root/tests/e2e/common.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/windows/CMakeCache.txt")
IFS=. read -r major minor revision <<<"$version"
newer=$major.$minor.$((revision + 1))
msi=$root/build/windows/Velkor-$version.msi
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
    "$(table "$msi" Upgrade; table "$msi" LaunchCondition)"
same "a Start menu shortcut to Velkor.exe" $'ProgramMenuFolder\tVelkor\t[#VelkorExe]' \
    "$(table "$msi" Shortcut | cut -f2,3,5)"
row=$(table "$msi" Registry | awk -F'\t' '$4 == "Velkor"')
condition=$(table "$msi" Component | awk -F'\t' -v c="$(cut -f6 <<<"$row")" '$1 == c { print $5 }')
same "the Run value (HKLM), in a component installed on AUTOSTART" \
    '2|Software\Microsoft\Windows\CurrentVersion\Run|Velkor|"[INSTALLDIR]Velkor.exe"|AUTOSTART' \
    "$(cut -f2-5 <<<"$row" | tr '\t' '|')|$(sed -n 's/.*\(AUTOSTART\).*/\1/p' <<<"$condition")"

# The next version: the same files, the program's version resource one revision up, as the next
# build's would be.
rm -rf "$work/newer"
cp -a "$root/build/windows/release/Velkor" "$work/newer"
exe_version "$work/newer/Velkor.exe" raise >/dev/null
bash "$root/packaging/build-msi.sh" "$work/newer" "$newer" "$work/Velkor-$newer.msi"

section "a silent install with AUTOSTART=1 into a fresh prefix"
fresh_prefix "$prefix" D
export LD_PRELOAD=$root/build/native/libfake_cdrom_ioctl.so VELKOR_IOCTL_LOG=$log
touch "$log"
wine_prefix_up "$prefix"
trap 'wine_prefix_down "$prefix"' EXIT
msiexec install /i "$(winpath "$msi")" /qn AUTOSTART=1 && ok "msiexec /i /qn AUTOSTART=1: exit 0" ||
    bad "msiexec /i: exit $? (build/msi/install.log)"
expect "the release's files in C:\\Program Files\\Velkor" "$release" files
expect "Velkor starts at logon" "\"C:\\Program Files\\Velkor\\Velkor.exe\"" value "$run" Velkor
expect "the Start menu shortcut, to the installed Velkor.exe" "1" \
    eval 'grep -ac "C:\\\\Program Files\\\\Velkor\\\\Velkor.exe" "$(shortcut)"'

section "the installed Velkor locks the drive, with the delivered settings"
start_velkor
drive wait-main 30000 && ok "it starts from C:\\Program Files\\Velkor" || bad "its main window never came"
drive click "&Lock" >/dev/null
drive click OK >/dev/null
expect "Lock, OK: D: locked and recorded" "1 DeviceD=1" eval 'echo "$(locks 1 D) $(record DeviceD)"'
exit_velkor "File > Exit ends it" alt+f x
printf 'Password=\r\n' >"$velkor_folder/password.txt"  # as the preferences leave it

section "a silent upgrade to $newer keeps the settings"
msiexec upgrade /i "$(winpath "$work/Velkor-$newer.msi")" /qn && ok "msiexec /i /qn: exit 0" ||
    bad "msiexec /i: exit $? (build/msi/upgrade.log)"
cmp -s "$velkor_folder/Velkor.exe" "$work/newer/Velkor.exe" && ok "the newer Velkor.exe is installed" ||
    bad "the older Velkor.exe is still there"
expect "one Velkor installed, version $newer" "$newer" products
expect "Velkor.ini keeps its lock record, password.txt stays" "DeviceD=1 Password=" \
    eval 'echo "$(record DeviceD) $(tr -d "\r" <"$velkor_folder/password.txt")"'
expect "it still starts at logon, without AUTOSTART given again" \
    "\"C:\\Program Files\\Velkor\\Velkor.exe\"" value "$run" Velkor
start_velkor
drive wait-main 30000 >/dev/null || bad "the upgraded Velkor's main window never came"
expect "the upgraded Velkor locks D: again at start, from its record" \
    "$(printf 'D: locked|1\nselected=1') 2" eval 'echo "$(drive combo) $(locks 1 D)"'
exit_velkor "File > Exit ends it" alt+f x

section "the older package over the newer one is refused"
(
    status=0
    msiexec downgrade /i "$(winpath "$msi")" /qb || status=$?
    echo "$status" >"$work/downgrade.code"
) &
# Quiet, Wine's msiexec neither shows nor logs the launch condition's message: with the basic
# interface it shows it, as Windows does in both.
box=$(drive box ok 60000 || true)
wait $!
code=$(cat "$work/downgrade.code")
[ "${box#*|}" = "A newer version of Velkor is already installed." ] && [ "$code" != 0 ] &&
    ok "refused with \"${box#*|}\", exit $code" || bad "downgrade: box [$box], exit $code (build/msi/downgrade.log)"
same "nothing changed: $newer alone installed, its Velkor.exe, the record" "$newer same DeviceD=1" \
    "$(products) $(cmp -s "$velkor_folder/Velkor.exe" "$work/newer/Velkor.exe" && echo same) $(record DeviceD)"

section "a silent uninstall removes what the package installed"
msiexec uninstall /x "$(winpath "$work/Velkor-$newer.msi")" /qn && ok "msiexec /x /qn: exit 0" ||
    bad "msiexec /x: exit $? (build/msi/uninstall.log)"
expect "only password.txt, written by Velkor, is left in its folder" "password.txt " files
same "no logon start, no shortcut, nothing registered" "||" "$(value "$run" Velkor)|$(shortcut)|$(products)"
expect "no Velkor process left" "0" velkor_processes
watch_crash

echo "msi: $passed passed, $failures failed (${SECONDS} s)"
[ "$failures" -eq 0 ]
