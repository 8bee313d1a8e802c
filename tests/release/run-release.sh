#!/usr/bin/env bash
# The release as a careful administrator checks it:
#   1. built twice, here and from a copy of the sources in another folder (later, so at another
#      time), it gives the same bytes in every file, zip and package;
#   2. signed with a throw-away certificate, Velkor.exe, Velkor.com and the package verify
#      against it, and the certificate's password shows nowhere in the output.
# The signed package is left in build/release-check/build for the installer tier.
#   run-release.sh ROOT
set -euo pipefail
root=$1
work=$root/build/release-check
passed=0 failures=0
ok() { passed=$((passed + 1)); echo "  ok: $1"; }
bad() { failures=$((failures + 1)); echo "  FAILED: $1"; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/windows/CMakeCache.txt")
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
unset VELKOR_SIGN_PFX VELKOR_SIGN_PASSWORD VELKOR_SIGN_TIMESTAMP_URL

echo "-- the release built twice, in two folders"
(cd "$root" && cmake --build --preset windows --target release >/dev/null)
rm -rf "$work"
mkdir -p "$work/source"
# The sources as they are in this checkout (what git keeps or would), without the repository.
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    xargs -0 cp --parents -t "$work/source")
cmake -S "$work/source" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$work/source/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$work/build" --target release -j 2 >"$work/build.log" 2>&1 ||
    { tail -20 "$work/build.log"; echo "release: the second build failed"; exit 1; }
for file in release/Velkor/Velkor.exe release/Velkor/Velkor.com "Velkor-$version.zip" \
    "Velkor-$version.msi" SHA256SUMS; do
    if cmp -s "$root/build/windows/$file" "$work/build/$file"; then
        ok "$file: the same bytes"
    else
        bad "$file differs between build/windows and $work/build"
    fi
done
(cd "$root/build/windows" && sha256sum --quiet -c SHA256SUMS) && ok "SHA256SUMS checks the zip and the package" ||
    bad "sha256sum -c SHA256SUMS"

echo "-- signed with a throw-away certificate"
password=$(head -c 18 /dev/urandom | base64)
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velkor test signing" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/sign.pfx" \
    -passout fd:3 3<<<"$password"
VELKOR_SIGN_PFX=$work/sign.pfx VELKOR_SIGN_PASSWORD=$password \
    cmake --build "$work/build" --target release >"$work/sign.log" 2>&1 ||
    { tail -20 "$work/sign.log"; echo "release: signing failed"; exit 1; }
grep -q "  signed (Authenticode, SHA-256)" "$work/sign.log" && ok "the release says it is signed" ||
    bad "no \"signed\" in the release's output"
grep -qF "$password" "$work/sign.log" && bad "the certificate's password is in the output" ||
    ok "the password is not in the output"
for file in release/Velkor/Velkor.exe release/Velkor/Velkor.com "Velkor-$version.msi"; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$work/build/$file" >"$work/verify.log" 2>&1 &&
        grep -q "Signature verification: ok" "$work/verify.log" && ok "$file: signature verified" ||
        { cat "$work/verify.log"; bad "$file: no valid signature"; }
done
unzip -p "$work/build/Velkor-$version.zip" Velkor/Velkor.exe | cmp -s - "$work/build/release/Velkor/Velkor.exe" &&
    ok "the zip holds the signed Velkor.exe" || bad "the zip's Velkor.exe is not the signed one"
(cd "$work/build" && sha256sum --quiet -c SHA256SUMS) && ok "SHA256SUMS checks the signed files" ||
    bad "sha256sum -c SHA256SUMS of the signed release"

echo "release: $passed passed, $failures failed (${SECONDS} s)"
[ "$failures" -eq 0 ]
