#!/usr/bin/env bash
# Builds the Release preset and prints the chart's speed table (markdown): full paints of the
# demo-sized chart, a pan step, marks, appending a long series, the demo's start to first paint,
# and two plain-loop memory references measured in the same run.
# Usage: scripts/bench.sh [--repetitions N]   (default 9; each row is the median of N runs)
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=9
if [[ "${1:-}" == "--repetitions" && -n "${2:-}" ]]; then
  repetitions=$2
fi

scripts/install-deps.sh
cmake --preset release >/dev/null
nice cmake --build --preset release -j2 --target chart_speed_bench memory_reference_bench zoompan_demo >/dev/null

out=build/release/bench-results
mkdir -p "$out"
for bench in chart_speed_bench memory_reference_bench; do
  echo "running $bench ..." >&2
  "build/release/bench/$bench" --benchmark_format=json --benchmark_out_format=json \
    --benchmark_out="$out/$bench.json" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_min_time=0.3 >/dev/null
done
echo "timing the demo's start ..." >&2
exec python3 scripts/bench_table.py --results "$out" --demo build/release/demo/zoompan_demo \
  --runs "$repetitions"
