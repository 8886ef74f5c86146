#!/usr/bin/env bash
# Builds the fuzz preset (clang-14, libFuzzer, ASan + UBSan) and runs each fuzz target for a while,
# one after the other, starting from its seed corpus and saved regressions copied to a work folder,
# so that the committed corpus never grows by itself. Fails when a target finds a crash; the input
# is kept under build/fuzz/artifacts/<target>/ (save it to fuzz/regressions/<target>/ once fixed).
# Prints per target the executions, their rate per second of wall time (libFuzzer's figure) and per
# second of processor time (what one core of its own gives; on a busy machine the wall rate is
# lower), the executions an hour on one core projected from that, and coverage (edges / features).
#
# Usage: scripts/fuzz.sh [--short] [--time SECONDS] [--runs COUNT] [--work DIR] [target...]
#   --short       15 s per target (the CI run)
#   --time N      N seconds per target (default 60)
#   --runs N      stop a target after N executions instead (no time limit unless --time is given too),
#                 so that a campaign of a given size runs whole on a busy machine
#   --work DIR    keep the growing corpora in DIR/<target>/ across runs instead of a scratch folder
#   target...     names as in fuzz/<name>_fuzz.cpp (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
runs_wanted=""
work=""
targets=()
while (($# > 0)); do
  case "$1" in
    --short) seconds=15 ;;
    --time) seconds="$2"; time_given=1; shift ;;
    --runs) runs_wanted="$2"; shift ;;
    --work) work="$2"; shift ;;
    -h | --help) sed -n '2,16p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1") ;;
  esac
  shift
done
if [[ -n "$runs_wanted" && -z "${time_given:-}" ]]; then seconds=0; fi
if ((${#targets[@]} == 0)); then
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=("$name")
  done
fi
for name in "${targets[@]}"; do
  [[ -f "fuzz/${name}_fuzz.cpp" ]] || { echo "no fuzz target '$name' (fuzz/${name}_fuzz.cpp)" >&2; exit 2; }
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/%/_fuzz}"

if [[ -z "$work" ]]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/nox-fuzz.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"
work=$(cd "$work" && pwd)
root=$(pwd)

summary=()
failed=()
for name in "${targets[@]}"; do
  corpus="$work/$name"
  artifacts="$root/build/fuzz/artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  if [[ -d "fuzz/regressions/$name" ]]; then
    find "fuzz/regressions/$name" -maxdepth 1 -type f ! -name '.*' -exec cp -n {} "$corpus"/ \;
  fi
  options=(-max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 -print_final_stats=1
           -artifact_prefix="$artifacts/")
  [[ -f "fuzz/$name.dict" ]] && options+=(-dict="$root/fuzz/$name.dict")
  [[ -n "$runs_wanted" ]] && options+=(-runs="$runs_wanted")

  echo "=== $name: ${runs_wanted:+$runs_wanted executions, }$seconds s (0: no limit)"
  log="$artifacts/last-run.log"
  status=0
  # The fuzzer runs in the work folder, so that relative file names it makes up stay there; bash's
  # time gives the processor seconds (user + system) it used.
  TIMEFORMAT='%U %S'
  { time (cd "$work" && "$root/build/fuzz/fuzz/${name}_fuzz" "${options[@]}" "$corpus" >"$log" 2>&1); } \
    2>"$artifacts/last-run.time" || status=$?
  cpu=$(awk '{ print $1 + $2 }' "$artifacts/last-run.time")

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  coverage=$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
  files=$(find "$corpus" -maxdepth 1 -type f | wc -l)
  if ((status != 0)); then
    failed+=("$name")
    grep -E 'ERROR|SUMMARY|fault|Test unit written|^==[0-9]+==' "$log" | head -20 || true
    echo "(full log: $log)"
    summary+=("$(printf '%-20s FAILED  runs %-10s %s' "$name" "${runs:-?}" "${coverage:-}")")
  else
    per_cpu=$(awk -v r="${runs:-0}" -v c="${cpu:-0}" 'BEGIN { if (c > 0) printf "%d", r / c; else print "?" }')
    per_hour=$(awk -v r="${runs:-0}" -v c="${cpu:-0}" 'BEGIN { if (c > 0) printf "%.2g", 3600 * r / c; else print "?" }')
    summary+=("$(printf '%-20s ok  runs %-9s %6s exec/s  %6s per cpu s  %-8s /h  %-22s corpus %s' "$name" \
      "${runs:-?}" "${speed:-?}" "$per_cpu" "$per_hour" "${coverage:-}" "$files")")
  fi
done

echo
echo "=== fuzzing summary (${runs_wanted:+$runs_wanted executions, }$seconds s per target; 0 s: no time limit)"
printf '%s\n' "${summary[@]}"
if ((${#failed[@]} > 0)); then
  echo "crashes in: ${failed[*]} (inputs in build/fuzz/artifacts/)" >&2
  exit 1
fi
