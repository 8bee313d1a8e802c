#!/usr/bin/env bash
# Mutation run: how many planted faults the tests catch. Not part of the test command (it takes
# about half an hour). Each mutant of mutants.txt is applied alone to a copy of the working tree,
# built, and run against the native tests, then the Win32 tests under Wine, then (for what both
# miss, while time is left) the end-to-end tier without its random-action run. The installer's
# helper, which only the installer package runs, is tried by the release and installer tiers.
#   tests/mutation/run.sh [ID...]     (all mutants, or those named)
# VELKOR_MUTATION_BUDGET: seconds for the whole run (default 5400); mutants not reached are
# "not run". Results: build/mutation/summary.txt, a line "ID  OUTCOME  FIRST FAILURE" each.
# A mutant that does not build, or a Wine program that never started, is not a kill.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/build/mutation
tree=$out/tree
budget=${VELKOR_MUTATION_BUDGET:-5400}
start=$SECONDS
mkdir -p "$out"
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"

# The working tree as it is (tracked and new files), built once; each mutant rebuilds what it
# touches.
mkdir -p "$tree"
(cd "$root" && git ls-files -co --exclude-standard -z) | python3 -c '
import os, shutil, sys
root, tree = sys.argv[1:]
for name in sys.stdin.read().split("\0"):
    source, copy = os.path.join(root, name), os.path.join(tree, name)
    if not name or not os.path.isfile(source): continue
    if os.path.isfile(copy) and open(copy, "rb").read() == open(source, "rb").read(): continue
    os.makedirs(os.path.dirname(copy), exist_ok=True)
    shutil.copy(source, copy)  # dated now: rebuilt
' "$root" "$tree"
cd "$tree" || exit 1
# The release tier takes the sources and their date from git.
[ -d .git ] || { git init -q && git add -A && git -c user.name=run -c user.email=run commit -qm tree; }
. scripts/wine-prefix.sh
prefix=$tree/build/windows/wineprefix
trap 'wine_prefix_down "$prefix"' EXIT
for preset in native windows; do
    cmake --preset $preset >/dev/null && cmake --build --preset $preset >"$out/build-$preset.log" 2>&1 ||
        { echo "the unmutated tree does not build ($preset): see $out/build-$preset.log"; exit 1; }
done
wine_prefix_up "$prefix"

# tier NAME: 0 when the tests pass, 1 when they fail (a kill), 2 when nothing was learnt.
tier() {
    local log=$out/$1.log
    case $1 in
        native) cmake --build --preset native --target velkor_unit_tests >"$log" 2>&1 || return 2
            timeout -k 5 600 build/native/velkor_unit_tests --gtest_brief=1 >>"$log" 2>&1 || return 1 ;;
        win32) cmake --build --preset windows --target velkor_unit_tests velkor_win32_tests \
            >"$log" 2>&1 || return 2
            local program status=0
            for program in velkor_unit_tests velkor_win32_tests; do
                VELKOR_WINE_TEST_SECONDS=180 bash scripts/wine-gtest.sh "$prefix" \
                    build/windows/$program.exe "$out/results" >>"$log" 2>&1 || status=1
            done
            # A program that never started twice is no answer, not a kill.
            ! grep -q "failed to start twice" "$log" || return 2
            return $status ;;
        e2e) cmake --build --preset windows >"$log" 2>&1 || return 2
            wine_prefix_down "$prefix"
            local status=0
            VELKOR_E2E_PART=scenarios bash tests/e2e/run-e2e.sh "$tree" >>"$log" 2>&1 || status=1
            wine_prefix_up "$prefix"
            return $status ;;
        installer) cmake --build --preset windows >"$log" 2>&1 || return 2
            wine_prefix_down "$prefix"
            local status=0  # the package's tier needs the signed release: without it, no answer
            bash tests/release/run-release.sh "$tree" >>"$log" 2>&1 || status=2
            [ $status = 2 ] || bash tests/msi/run-msi.sh "$tree" >>"$log" 2>&1 || status=1
            wine_prefix_up "$prefix"
            return $status ;;
    esac
}
first_failure() {  # the first failed test or check, or how the tests ended
    { grep -h -E '^\[  FAILED  \]|FAILED:|wine-gtest: .* (crashed|hang)' "$out/$1.log" ||
        echo "the tests crashed"; } | head -1 | cut -c1-100
}

# mutate ID FILE FROM TO TIER...: the mutant alone in the tree, tried tier by tier; one line in
# $results. The end-to-end tier only while the time budget lasts.
mutate() {
    local id=$1 file=$2 from=$3 to=$4 outcome="survived:" name
    shift 4
    cp "$file" "$out/original"
    trap 'cp "$out/original" "$file"; wine_prefix_down "$prefix"' EXIT
    if ! python3 - "$file" "$from" "$to" <<'PY'; then
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
        outcome="not applied (the text is not there once)"
        set --
    fi
    for name in "$@"; do
        [ "$name" != e2e ] || [ $((SECONDS - start)) -lt "$budget" ] || break
        outcome="$outcome $name"
        tier "$name" </dev/null
        case $? in
            1) outcome="killed by $name  $(first_failure "$name")"; break ;;
            2) outcome="no answer from $name (did not build or start)"; break ;;
        esac
    done
    printf '%-34s %s\n' "$id" "$outcome" | tee -a "$results"
    cp "$out/original" "$file"  # dated now: rebuilt for the next mutant
    trap 'wine_prefix_down "$prefix"' EXIT
}

results=$out/results.txt
: >"$results"
survivors=()
while IFS= read -r line <&3; do
    case $line in '#'* | '') continue ;; esac
    id=${line%% | *} rest=${line#* | }
    file=${rest%% | *} rest=${rest#* | }
    from=${rest%% | *} to=${rest#* | }
    [ $# -eq 0 ] || [[ " $* " == *" $id "* ]] || continue
    if [ $((SECONDS - start)) -ge "$budget" ]; then
        printf '%-34s not run (time budget)\n' "$id" | tee -a "$results"
    elif [[ $file == src/win32/setup/* ]]; then
        mutate "$id" "$file" "$from" "$to" installer
    elif [[ $file == src/win32/* ]]; then
        mutate "$id" "$file" "$from" "$to" win32
    else
        mutate "$id" "$file" "$from" "$to" native win32
    fi
    tail -1 "$results" | grep -q ' survived: ' && survivors+=("$line")
done 3<"$root/tests/mutation/mutants.txt"

# What the fast tiers missed, end to end (the last result of each mutant counts).
for line in "${survivors[@]}"; do
    [ $((SECONDS - start)) -lt "$budget" ] || break
    id=${line%% | *} rest=${line#* | }
    file=${rest%% | *} rest=${rest#* | }
    from=${rest%% | *} to=${rest#* | }
    [[ $file == src/win32/setup/* ]] || mutate "$id" "$file" "$from" "$to" e2e
done

# The sources as they were; the next run starts from an unmutated build.
cmake --build --preset native >/dev/null 2>&1
cmake --build --preset windows >/dev/null 2>&1
summary=$(awk '{last[$1] = $0} END {for (id in last) print last[id]}' "$results" | sort)
echo "$summary" >"$out/summary.txt"
echo "killed: $(grep -c ' killed by ' <<<"$summary") of $(grep -c . <<<"$summary") ($((SECONDS - start)) s)"
