#!/usr/bin/env bash
# Builds the Windows Installer package from a laid-out program folder:
#   build-msi.sh PROGRAM_FOLDER VERSION OUTPUT.msi
# wixl (msitools 0.101) writes Velkor.wxs; what it has no attribute for is set afterwards in the
# package's tables with msibuild.
set -euo pipefail
folder=$1 version=$2 output=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)

rm -f "$output"
# wixl finds the files by name in the current folder; its "unimplemented" note about a shortcut
# that is not advertised is only a note: the shortcut gets its target.
(cd "$folder" && wixl -a x64 -D Version="$version" -o "$output" "$here/Velkor.wxs") 2>&1 |
    { grep -v 'unimplemented' || true; }
[ -s "$output" ] || { echo "build-msi.sh: wixl made no package" >&2; exit 1; }

queries=()
update() {  # update TABLE COLUMN VALUE KEY-COLUMN KEY: that column of the row with that key
    queries+=(-q "UPDATE \`$1\` SET \`$2\` = $3 WHERE \`$4\` = '$5'")
}
# The program's file version (the project's, as its version resource has it): without one an
# upgrade would leave the installed Velkor.exe in place.
update File Version "'$version.0'" File VelkorExe
# 64-bit (256) + NeverOverwrite (128): a present Velkor.ini, with the lock records and
# preferences the program wrote, is left as it is.
update Component Attributes 384 Component Settings
# Start at logon when asked for, or, without AUTOSTART, when the installed version did.
update Component Condition "'AUTOSTART = \"1\" OR (NOT AUTOSTART AND VELKOR_AUTOSTART_FOUND)'" \
    Component AutoStart
update Property Value "'AUTOSTART;VELKOR_AUTOSTART_FOUND;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED'" \
    Property SecureCustomProperties
# The old version goes after the new one is in place, so that the components both hold (the
# settings above all) stay, and before the new one registers: Wine's msi, removing a product,
# deletes its upgrade code's whole key, which would otherwise take the new registration along.
queries+=(-q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('InstallExecute', 5900)")
update InstallExecuteSequence Sequence 5950 Action RemoveExistingProducts
msibuild "$output" "${queries[@]}"
