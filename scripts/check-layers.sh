#!/usr/bin/env bash
# Every #include "..." in src/ goes to its own folder or to a lower layer:
#   platform < ui < program < profile < password, drives, update < forms < app < win32
# (forms/ with its subfolders is one layer). The exceptions below are the README's, each with
# its reason there. Prints each include that breaks the rule and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A layer=([platform]=0 [ui]=1 [program]=2 [profile]=3 [password]=4 [drives]=4 [update]=4
    [forms]=5 [app]=6 [win32]=7)
exceptions=()  # none today; each one added needs its reason in the README

excepted() {  # excepted FILE INCLUDE
    local rule from to
    for rule in "${exceptions[@]}"; do
        from=${rule%% -> *} to=${rule##* -> }
        # shellcheck disable=SC2053  # the pattern is meant
        [[ $1 == src/$from && $2 == $to ]] && return 0
    done
    return 1
}

broken=0
while IFS= read -r file; do
    own=${file#src/}
    own=${own%%/*}
    [ -n "${layer[$own]:-}" ] || { echo "$file: folder $own has no layer"; broken=1; continue; }
    while IFS= read -r include; do
        target=${include%%/*}
        [ "$target" = "$include" ] && continue  # a file beside it
        [ -n "${layer[$target]:-}" ] || continue  # not ours (resources, tests)
        if [ "$target" = "$own" ] || [ "${layer[$target]}" -lt "${layer[$own]}" ]; then continue; fi
        excepted "$file" "$include" && continue
        echo "$file includes $include: $target is not below $own"
        broken=1
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files 'src/*.h' 'src/*.cpp')
[ "$broken" = 0 ] && echo "layers: every include goes down or sideways within its folder"
exit "$broken"
