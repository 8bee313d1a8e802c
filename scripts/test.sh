#!/usr/bin/env bash
# Builds everything and runs every test tier:
#   1. native unit tests (g++, then again with ASan and UBSan), 2. the same and the Win32
#   tests cross-built and run under Wine,
#   3. the profile-file fuzzer (clang, ASan, UBSan) for a bounded time, 4. end-to-end under Wine,
#   5. the release (zip and installer package) built twice and compared, signed with a throw-away
#   certificate and verified, the signed package installed for a lab, upgraded, repaired and
#   removed by Wine's msiexec, and the benchmarks.
# Fails when any test fails. Without a display it runs itself under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ -z "${VELKOR_DEPS_DONE:-}" ]; then
    scripts/install-deps.sh
    export VELKOR_DEPS_DONE=1
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

. scripts/wine-prefix.sh
prefix=$root/build/windows/wineprefix
# Wine's server must end before the display does.
trap 'wine_prefix_down "$prefix"' EXIT

fuzz_seconds=${VELKOR_FUZZ_SECONDS:-60}
# bounded NAME LOG SECONDS COMMAND...: a tier that ends in time, or is reported as a hang; its
# output also goes to LOG. A failure ends the test command.
bounded() {
    local name=$1 log=$2 seconds=$3 status=0
    shift 3
    timeout -k 10 "$seconds" "$@" | tee "$log" || status=$?
    if [ "$status" = 124 ]; then
        echo "$name: did not finish within $seconds s (a hang after the last line above)"
    fi
    [ "$status" = 0 ] || exit 1
}
summary=()

echo "== 0. every include goes to its own folder or a lower layer"
bash scripts/check-layers.sh

echo "== 1. native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native
native_count=$(ctest --preset native -N | sed -n 's/^Total Tests: //p')
summary+=("native: $native_count tests passed")

echo "== 1b. the native tests again under AddressSanitizer and UBSan"
cmake --preset asan >/dev/null
cmake --build --preset asan --target velkor_unit_tests
ctest --preset asan
summary+=("native with sanitizers: $native_count tests passed")

echo "== 2. Windows build; unit and Win32 tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
wine_prefix_up "$prefix"
rm -rf build/windows/test-results
ctest --preset windows
# Each test program ran once under Wine; its own report counts its tests.
windows_count=$(cat build/windows/test-results/*.xml |
    sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' | awk '{n += $1} END {print n}')
summary+=("windows (under Wine): $windows_count tests passed")

echo "== 3. fuzzing profile-file reading for ${fuzz_seconds}s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=$root/build/fuzz/corpus
mkdir -p "$work" "$root/build/fuzz/crashes"
# Every kept input (seeds and past crashes) must pass before new inputs are searched.
./build/fuzz/profile_fuzz -runs=0 tests/fuzz/corpus/ 2>&1 | tail -2
./build/fuzz/profile_fuzz -max_total_time="$fuzz_seconds" -print_final_stats=1 \
    -artifact_prefix="$root/build/fuzz/crashes/" "$work" tests/fuzz/corpus/ 2>build/fuzz/fuzz.log ||
    { tail -40 build/fuzz/fuzz.log; echo "fuzzing found a crash: keep it in tests/fuzz/corpus/"; exit 1; }
summary+=("fuzz (profile files): $(grep -E 'stat::number_of_executed_units' build/fuzz/fuzz.log | awk '{print $2}') executions, no crash")
version_seconds=$(( (fuzz_seconds + 3) / 4 ))
echo "== 3b. fuzzing the update check's version file for ${version_seconds}s"
mkdir -p "$root/build/fuzz/version-corpus"
./build/fuzz/version_fuzz -max_total_time="$version_seconds" -print_final_stats=1 \
    -artifact_prefix="$root/build/fuzz/crashes/" "$root/build/fuzz/version-corpus" \
    tests/fuzz/corpus-version/ 2>build/fuzz/version.log ||
    { tail -40 build/fuzz/version.log; echo "fuzzing found a crash: keep it in tests/fuzz/corpus-version/"; exit 1; }
summary+=("fuzz (version file): $(grep -E 'stat::number_of_executed_units' build/fuzz/version.log | awk '{print $2}') executions, no crash")

echo "== 4. end-to-end under Wine with simulated CD-ROM drives"
bounded end-to-end build/e2e.log 1800 tests/e2e/run-e2e.sh "$root"
e2e_count=$(sed -n 's/^e2e: \([0-9]*\) passed.*/\1/p' build/e2e.log)
summary+=("end-to-end: $e2e_count checks passed")

echo "== 5. the release: built twice and compared, then signed and verified"
bounded release build/release.log 900 tests/release/run-release.sh "$root"
release_count=$(sed -n 's/^release: \([0-9]*\) passed.*/\1/p' build/release.log)
summary+=("release: $release_count checks passed")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
unzip -l "build/windows/Velkor-$version.zip" | sed -n 's/.* \(Velkor\/.*\)/  \1/p'
echo "  Velkor-$version.msi"
echo "== 5b. the signed package under Wine's msiexec: a lab's install, upgrade, repair, downgrade, uninstall"
bounded "installer package" build/msi.log 600 tests/msi/run-msi.sh "$root"
msi_count=$(sed -n 's/^msi: \([0-9]*\) passed.*/\1/p' build/msi.log)
summary+=("installer package: $msi_count checks passed")

echo "== 5c. the benchmarks once with a short budget"
bounded benchmark build/bench.log 600 \
    bench/run-bench.sh "$root" "${VELKOR_BENCH_RUNS:-3}" "${VELKOR_BENCH_IDLE:-10}"
summary+=("$(grep -E '^start-up to' build/bench.log)")

echo "== summary"
printf '%s\n' "${summary[@]}"
echo "total: $((native_count + windows_count + e2e_count + release_count + msi_count)) passed, 0 failed"
