#!/usr/bin/env bash
# Runs one cross-built GoogleTest program under Wine, once, and reports its tests.
#   wine-gtest.sh PREFIX PROGRAM.exe RESULTS-FOLDER
# The per-test results are GoogleTest's own report (printed, and kept as RESULTS/NAME.xml).
# A Wine start failure (the program ends without GoogleTest's opening line and without a
# report: it never reached main) is told apart from a test failure: it alone is retried, once, and the
# log says so. A test that fails, or a program that crashes after it started, is never retried.
set -u
prefix=$1
program=$2
results=$3
name=$(basename "$program" .exe)
limit=${VELKOR_WINE_TEST_SECONDS:-600}  # the mutation run, whose mutants may hang, sets less
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$results"
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
cd "$results"
log=$name.log
report=$name.xml

. "$here/wine-prefix.sh"
wine_prefix_up "$prefix"

for attempt in 1 2; do
    rm -f "$report" "$log"
    timeout -k 5 "$limit" "$WINE" "$program" --gtest_output="xml:$report" >"$log" 2>&1 </dev/null
    status=$?
    cat "$log"
    if [ "$status" = 124 ]; then
        echo "wine-gtest: $name did not end within $limit s: a hang (the last test it began is above)"
        exit 1
    fi
    if grep -q '^\[==========\] Running' "$log" || [ -f "$report" ]; then
        break
    fi
    echo "wine-gtest: $name did not start under Wine (exit $status, no test ran, no report)"
    if [ "$attempt" = 1 ]; then
        echo "wine-gtest: starting $name once more (a start failure, not a test failure)"
    else
        echo "wine-gtest: $name failed to start twice: giving up"
        exit 1
    fi
done

if [ ! -f "$report" ]; then
    echo "wine-gtest: $name ended (exit $status) without its report: it crashed or hung"
    exit 1
fi
tests=$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$report" | head -1)
failures=$(sed -n 's/.*<testsuites tests="[0-9]*" failures="\([0-9]*\)".*/\1/p' "$report" | head -1)
echo "wine-gtest: $name: $((tests - failures)) passed, $failures failed"
exit "$status"
