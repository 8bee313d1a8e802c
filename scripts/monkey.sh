#!/usr/bin/env bash
# The random-action run alone, with any number of steps, under Wine and Xvfb:
#   bash scripts/monkey.sh [STEPS] [SEED]
# A failing run prints its seed; the same seed replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
cmake --preset native >/dev/null && cmake --build --preset native --target fake_cdrom_ioctl
cmake --preset windows >/dev/null && cmake --build --preset windows
export VELKOR_E2E_PART=monkey VELKOR_MONKEY_STEPS=${1:-1000} VELKOR_MONKEY_SEED=${2:-$(date +%s)}
exec tests/e2e/run-e2e.sh "$PWD"
