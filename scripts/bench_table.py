#!/usr/bin/env python3
"""Formats the chart's benchmark results (Google Benchmark JSON, median aggregates) as one markdown
table, and times the demo's start to its first paint. Called by scripts/bench.sh."""

import argparse
import json
import os
import re
import statistics
import subprocess
import time


def load_medians(path):
    """Benchmark name -> median aggregate entry."""
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    medians = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = b
    return medians


def ms(entry):
    """Real time of one iteration in milliseconds."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
    return entry["real_time"] * scale


def time_demo(demo, runs):
    """Medians of (launch to first paint, main() to first paint) in ms over `runs` starts."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    launch, from_main = [], []
    for _ in range(runs):
        started = time.monotonic_ns()
        done = subprocess.run([demo, "--time-first-paint"], env=env, capture_output=True, text=True,
                              timeout=60, check=True)
        m = re.search(r"first paint ([0-9.]+) ms after main started; monotonic clock (\d+) ns",
                      done.stdout)
        if not m:
            raise SystemExit(f"the demo did not report its first paint:\n{done.stdout}{done.stderr}")
        from_main.append(float(m.group(1)))
        launch.append((int(m.group(2)) - started) / 1e6)
    return statistics.median(launch), statistics.median(from_main)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--results", required=True)
    parser.add_argument("--demo", required=True)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()

    chart = load_medians(os.path.join(args.results, "chart_speed_bench.json"))
    memory = load_medians(os.path.join(args.results, "memory_reference_bench.json"))
    rows = []

    def row(what, n, value):
        rows.append(f"| {what} | {n} | {value} |")

    names = {100_000: "10^5", 1_000_000: "10^6", 10_000_000: "10^7"}
    for n in (100_000, 1_000_000, 10_000_000):
        row("Paint, line-to series, block summaries", names[n],
            f"{ms(chart[f'BM_Paint/Line/{n}/1']):.3f} ms")
    for n in (100_000, 1_000_000):
        row("Paint, line-to series, item by item", names[n], f"{ms(chart[f'BM_Paint/Line/{n}/0']):.3f} ms")
    for n in (1_000_000, 10_000_000):
        e = chart[f"BM_PanStep/{n}"]
        row("pan step: one maPan mouse move and its repaint", names[n],
            f"{ms(e):.3f} ms ({e['paints_per_move']:.0f} paint per move)")
    row("Paint, marks (symbol 4)", names[100_000], f"{ms(chart['BM_Paint/Marks/100000/1']):.3f} ms")
    e = chart["BM_AppendLineTo/10000000/iterations:1"]
    row("append line-to items", names[10_000_000],
        f"{ms(e) * 1e6 / e['items']:.1f} ns/item, {e['bytes_per_item']:.1f} bytes/item "
        f"(records alone {e['record_bytes_per_item']:.1f})")
    launch, from_main = time_demo(args.demo, args.runs)
    row("demo start to first paint (offscreen)", "the demo's 3 series",
        f"{launch:.1f} ms from launch ({from_main:.1f} ms from main())")
    for n in (1_000_000, 10_000_000):
        row("reference: read one field of each 96-byte record", names[n],
            f"{ms(memory[f'BM_ReadRecords/{n}']):.3f} ms")
    for n in (1_000_000, 10_000_000):
        row("reference: column min/max of 16-byte points, spans into 429×365", names[n],
            f"{ms(memory[f'BM_MinMaxColumns/{n}']):.3f} ms")

    for n in (1_000_000, 10_000_000):
        ratio = ms(chart[f"BM_Paint/Line/{n}/1"]) / ms(memory[f"BM_MinMaxColumns/{n}"])
        row("Paint (block summaries) ÷ column min/max reference", names[n], f"{ratio:.2f}×")

    print("| what | N | median |")
    print("|---|---|---|")
    print("\n".join(rows))


if __name__ == "__main__":
    main()
