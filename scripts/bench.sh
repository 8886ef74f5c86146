#!/usr/bin/env bash
# Builds the Release preset and prints the chart's speed table (markdown) beside QCustomPlot doing
# the same work in the same run: full paints of the demo-sized chart for each kind of series, a pan
# step, appending a long series, the demo's start to first paint, and two plain-loop memory
# references. QCustomPlot (Debian's libqcustomplot-dev) is installed here, for the benchmark only.
# Usage: scripts/bench.sh [--repetitions N]   (default 9; each row is the median of N runs)
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=9
if [[ "${1:-}" == "--repetitions" && -n "${2:-}" ]]; then
  repetitions=$2
fi

scripts/install-deps.sh
if ! dpkg-query -W -f='${Status}' libqcustomplot-dev 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing the benchmark peer: libqcustomplot-dev"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends libqcustomplot-dev
fi
cmake --preset release >/dev/null
nice cmake --build --preset release -j2 \
  --target chart_speed_bench qcustomplot_bench memory_reference_bench zoompan_demo >/dev/null

out=build/release/bench-results
mkdir -p "$out"
# Both programs keep what they free for their next repetition (glibc otherwise hands memory back
# to the system as soon as a freed stretch at the heap's top passes 128 KiB, and the next
# repetition pays a page fault per 4 KiB again). QCustomPlot's single growing buffer gets this
# anyway from glibc's adaptive thresholds; the chart's 68 KiB chunks do not.
export GLIBC_TUNABLES=glibc.malloc.trim_threshold=1073741824:glibc.malloc.mmap_threshold=1073741824
for bench in chart_speed_bench qcustomplot_bench memory_reference_bench; do
  echo "running $bench ..." >&2
  QT_QPA_PLATFORM=offscreen "build/release/bench/$bench" --benchmark_format=json \
    --benchmark_out_format=json --benchmark_out="$out/$bench.json" \
    --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.3 >/dev/null
done
echo "timing the demo's start ..." >&2
exec python3 scripts/bench_table.py --results "$out" --demo build/release/demo/zoompan_demo \
  --runs "$repetitions"
