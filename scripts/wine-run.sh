#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix (the cross build's test emulator).
#   wine-run.sh PREFIX PROGRAM [ARGS...]
set -eu
prefix=$1
shift
. "$(dirname "$0")/wine-prefix.sh"
wine_prefix_up "$prefix"
exec "$WINE" "$@"
