#!/usr/bin/env bash
# The tests' share of the code: lines of test code over lines of test plus program code, over the
# files git knows (committed or new). Test code is whatever only the tests run, wherever it
# lives; build files, documents and the delivered texts count on neither side.
#   tests/share.sh [--files]     (--files: every file with its side and lines)
set -euo pipefail
cd "$(dirname "$0")/.."
side() {
    case $1 in
        tests/* | bench/* | scripts/test.sh | scripts/wine-gtest.sh | scripts/monkey.sh | \
            scripts/check-layers.sh | tools/screenshots.sh) echo test ;;
        src/* | packaging/* | tools/* | scripts/*) echo program ;;
        *) echo none ;;
    esac
}
git ls-files -co --exclude-standard | while read -r file; do
    [ -f "$file" ] || continue
    case $file in *.png | *.ico | *.bmp | */corpus*/*) continue ;; esac
    echo "$(side "$file") $(wc -l <"$file") $file"
done | awk -v list="${1:-}" '
    list == "--files" && $1 != "none" { print }
    { lines[$1] += $2 }
    END {
        printf "program %d, tests %d: tests are %.1f%% of tests plus program\n",
            lines["program"], lines["test"],
            100 * lines["test"] / (lines["test"] + lines["program"])
    }'
