#!/usr/bin/env bash
# Builds the Windows Installer package from a laid-out program folder and the settings helper:
#   build-msi.sh PROGRAM_FOLDER VERSION OUTPUT.msi VELKORSETUP.EXE
# wixl (msitools 0.101) writes Velkor.wxs; what it has no attribute for is set afterwards in the
# package's tables with msibuild.
#
# The same inputs give the same bytes: the product code is derived from the version (a rebuild
# of one version is the same product), the package code from the version and every byte that
# goes in; the files' dates are theirs (release.sh gives them the commit's time). wixl and
# msibuild stamp the summary's created and saved dates with the clock and read no
# SOURCE_DATE_EPOCH: they run with the clock stopped at that time (faketime).
set -euo pipefail
folder=$1 version=$2 output=$(realpath -m "$3") helper=$4
here=$(cd "$(dirname "$0")" && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(date +%s)}
upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$here/Velkor.wxs")

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -p "$folder"/* "$stage/"
cp -p "$helper" "$stage/VelkorSetup.exe"
guid() {  # guid <TEXT: a GUID made from the SHA-256 of what it reads
    sha256sum | cut -c1-32 | tr a-f A-F | sed 's/\(.\{8\}\)\(.\{4\}\)\(.\{4\}\)\(.\{4\}\)/\1-\2-\3-\4-/'
}
product_code=$(printf 'Velkor %s %s' "$upgrade_code" "$version" | guid)
package_code=$( (printf '%s\n' "$version"; cd "$stage" && sha256sum -- * "$here/Velkor.wxs" "$0" |
    cut -c1-64) | guid)
at_commit_time() { TZ=UTC faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" "$@"; }

rm -f "$output"
# wixl finds the files by name in the current folder; its "unimplemented" note about a shortcut
# that is not advertised is only a note: the shortcut gets its target.
(cd "$stage" && at_commit_time wixl -a x64 -D Version="$version" -D ProductCode="$product_code" \
    -o "$output" "$here/Velkor.wxs") 2>&1 | { grep -v 'unimplemented' || true; }
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
update Property Value "'AUTOSTART;DELAY;LANGUAGE;LOCKALL;MINIMIZE;RESTORE;STANDBY;VELKOR_AUTOSTART_FOUND;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED'" \
    Property SecureCustomProperties
# The start-up settings given to msiexec go into the installed Velkor.ini through VelkorSetup.exe,
# run from the package with the installer's rights (deferred, not impersonated: 2 + 1024 + 2048),
# after the old version's removal and only when one is given. It writes what is given and
# nothing else, so that a repair or an upgrade without them keeps what a lab set. (The INI table
# would remove its values with their component, the old version's removal included.)
properties='LOCKALL=[LOCKALL] RESTORE=[RESTORE] MINIMIZE=[MINIMIZE] STANDBY=[STANDBY] DELAY=[DELAY] LANGUAGE=[LANGUAGE]'
queries+=(-q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('WriteStartSettings', 3074, 'SetupHelper', '\"[INSTALLDIR]Velkor.ini\" $properties')")
queries+=(-q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('WriteStartSettings', 'NOT REMOVE~=\"ALL\" AND (LOCKALL OR RESTORE OR MINIMIZE OR STANDBY OR DELAY OR LANGUAGE)', 6590)")
# The old version goes after the new one is in place, so that the components both hold (the
# settings above all) stay, and before the new one registers: Wine's msi, removing a product,
# deletes its upgrade code's whole key, which would otherwise take the new registration along.
queries+=(-q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('InstallExecute', 5900)")
update InstallExecuteSequence Sequence 5950 Action RemoveExistingProducts
at_commit_time msibuild "$output" "${queries[@]}"
at_commit_time msibuild "$output" -s "Velkor - keeps CD/DVD drives shut" Velkor "x64;1033" "{$package_code}"
