#!/usr/bin/env bash
# The release, from a Windows build folder:
#   release.sh BUILD_FOLDER VERSION SETUP_HELPER
# lays out BUILD_FOLDER/release/Velkor, then writes Velkor-VERSION.zip, Velkor-VERSION.msi and
# SHA256SUMS into BUILD_FOLDER. The same commit gives the same bytes: every file carries the
# commit's time (SOURCE_DATE_EPOCH, else the commit's, from git), the zip's entries are sorted
# with fixed attributes, and the package's codes and dates are derived (build-msi.sh).
#
# Signing (Authenticode, SHA-256, with osslsigncode), when VELKOR_SIGN_PFX names a PKCS#12 file:
# its password in VELKOR_SIGN_PASSWORD, handed over in a private file, never as an argument;
# with VELKOR_SIGN_TIMESTAMP_URL an RFC 3161 time stamp. The programs are signed before they are
# packed, the package after it is built; a signature is the last change to a file.
set -euo pipefail
build=$(realpath "$1") version=$2 helper=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
folder=$build/release/Velkor
zip=$build/Velkor-$version.zip msi=$build/Velkor-$version.msi

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$here" log -1 --format=%ct 2>/dev/null) ||
        { echo "release.sh: no SOURCE_DATE_EPOCH and no git history to take the time from" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sign() {  # sign FILE: Authenticode-signs FILE in place
    local stamp=()
    [ -n "${VELKOR_SIGN_TIMESTAMP_URL:-}" ] && stamp=(-ts "$VELKOR_SIGN_TIMESTAMP_URL")
    osslsigncode sign -pkcs12 "$VELKOR_SIGN_PFX" -readpass "$work/password" -h sha256 \
        -n Velkor "${stamp[@]}" -in "$1" -out "$work/signed" >"$work/sign.log" 2>&1 ||
        { cat "$work/sign.log" >&2; echo "release.sh: signing $1 failed" >&2; exit 1; }
    mv "$work/signed" "$1"
}
signing=
if [ -n "${VELKOR_SIGN_PFX:-}" ]; then
    [ -r "$VELKOR_SIGN_PFX" ] || { echo "release.sh: cannot read VELKOR_SIGN_PFX" >&2; exit 1; }
    (umask 077 && printf '%s' "${VELKOR_SIGN_PASSWORD:-}" >"$work/password")
    signing=yes
fi

rm -rf "$build/release" "$zip" "$msi" "$build/SHA256SUMS"
cmake --install "$build" --prefix "$build/release" >/dev/null
[ -n "$signing" ] && for program in "$folder"/*.exe "$folder"/*.com; do sign "$program"; done
chmod 0644 "$folder"/*
touch -d "@$SOURCE_DATE_EPOCH" "$folder" "$folder"/*

# The zip: a folder Velkor with the files in name order, each dated and marked alike.
python3 - "$build/release" "$zip" <<'PY'
import os, sys, time, zipfile
root, out = sys.argv[1], sys.argv[2]
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]  # zip dates begin 1980
with zipfile.ZipFile(out, "w") as z:
    for name in sorted(os.listdir(os.path.join(root, "Velkor"))):
        entry = zipfile.ZipInfo("Velkor/" + name, stamp)
        entry.compress_type, entry.create_system = zipfile.ZIP_DEFLATED, 3
        entry.external_attr = 0o100644 << 16  # a plain file, readable by all
        with open(os.path.join(root, "Velkor", name), "rb") as f:
            z.writestr(entry, f.read(), compresslevel=9)
PY

cp "$helper" "$work/VelkorSetup.exe"
[ -n "$signing" ] && sign "$work/VelkorSetup.exe"
touch -d "@$SOURCE_DATE_EPOCH" "$work/VelkorSetup.exe"
bash "$here/build-msi.sh" "$folder" "$version" "$msi" "$work/VelkorSetup.exe"
[ -n "$signing" ] && sign "$msi"

(cd "$build" && sha256sum "$(basename "$zip")" "$(basename "$msi")" >SHA256SUMS)
echo "Velkor $version: $(basename "$zip"), $(basename "$msi"), SHA256SUMS in $build"
if [ -n "$signing" ]; then
    echo "  signed (Authenticode, SHA-256)${VELKOR_SIGN_TIMESTAMP_URL:+, time-stamped}"
else
    echo "  NOT signed: VELKOR_SIGN_PFX names no certificate"
fi
