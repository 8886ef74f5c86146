#!/usr/bin/env bash
# The long soak of the demo's main window: builds the soak test of the default preset and runs it
# for 10^6 random gestures (the CI run makes 10^4), printing the resident memory every 10^4 gestures
# with the time taken so far. The memory must stay flat once the first report is reached. A fault
# stops the run with the seed, the gesture number and the gestures that led to it.
#
# Usage: scripts/soak.sh [--gestures N] [--seed S] [--every N]
#   --gestures N   gestures in all (default 1000000)
#   --seed S       seed of the gesture generator (default 19, as in CI)
#   --every N      gestures between memory reports (default 10000)
set -euo pipefail
cd "$(dirname "$0")/.."

gestures=1000000
seed=19
every=10000
while (($# > 0)); do
  case "$1" in
    --gestures) gestures="$2"; shift ;;
    --seed) seed="$2"; shift ;;
    --every) every="$2"; shift ;;
    -h | --help) sed -n '2,11p' "$0"; exit 0 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift
done

cmake --preset default >/dev/null
cmake --build --preset default --target nox_demo_soak_test
# Qt Test ends a test function after 5 minutes unless told otherwise (milliseconds).
QT_QPA_PLATFORM=offscreen NOX_FONT_DIR="$PWD/tests/fonts" QTEST_FUNCTION_TIMEOUT=86400000 \
  NOX_SOAK_GESTURES="$gestures" NOX_SOAK_SEED="$seed" NOX_SOAK_MEMORY_EVERY="$every" \
  build/default/tests/demo/nox_demo_soak_test
