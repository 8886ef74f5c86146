#!/usr/bin/env python3
"""Formats the chart's benchmark results and its peer's (Google Benchmark JSON, median aggregates)
as one markdown table with the two side by side, and times the demo's start to its first paint.
Called by scripts/bench.sh."""

import argparse
import json
import os
import re
import statistics
import subprocess
import time

SIZES = (100_000, 1_000_000, 10_000_000)
SIZE_NAMES = {100_000: "10^5", 1_000_000: "10^6", 10_000_000: "10^7"}


def load_results(path):
    """Benchmark name -> median aggregate entry, or -> the error message of a run that failed.
    A program that did not run gives no results."""
    if not os.path.exists(path):
        return {}
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    results = {}
    for b in data["benchmarks"]:
        # Names without the run settings a benchmark fixes for itself ("/iterations:1").
        name = re.sub(r"/(iterations|min_time):[^/]*", "", b["run_name"])
        if b.get("error_occurred"):
            results.setdefault(name, b.get("error_message", "failed"))
        elif b.get("aggregate_name") == "median":
            results[name] = b
    return results


def ms(entry):
    """CPU time of one iteration in milliseconds: both programs work on one thread, and on a busy
    machine the time they wait for a core would swamp what they cost."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
    return entry["cpu_time"] * scale


# Measures: an entry -> (value, cell text); values of one row share their unit, so they divide.
def paint_ms(entry):
    value = ms(entry)
    text = f"{value:.3f} ms"
    if "paints_per_move" in entry:
        text += f" ({entry['paints_per_move']:.0f} paint per move)"
    return value, text


def ns_per_point(entry):
    value = ms(entry) * 1e6 / entry["items"]
    return value, f"{value:.1f} ns/point"


def bytes_per_point(entry):
    value = entry["bytes_per_item"]
    text = f"{value:.1f} bytes/point"
    if "record_bytes_per_item" in entry:
        text += f" (records alone {entry['record_bytes_per_item']:.1f})"
    return value, text


# The side-by-side rows: (what, sizes, nox's benchmark names, the peer's, measure). Names are tried
# in order and the first result found is shown. Appending and streaming go through the chart's
# world-unit API (MoveTo / LineTo point by point, AppendSeries in bulk, SetDataLimit for the kept
# window), named as the peer names its rows.
def paint_row(what, kind):
    return (what, SIZES, lambda n: [f"BM_Paint/{kind}/{n}/1"], lambda n: [f"BM_Paint/{kind}/{n}"],
            paint_ms)


def per_point_names(n):
    return [f"BM_Append/PerPoint/{n}"]


SIDE_BY_SIDE = [
    paint_row("1-px solid line (block summaries)", "Line"),
    ("1-px solid line, item by item", SIZES[:2], lambda n: [f"BM_Paint/Line/{n}/0"], lambda n: [],
     paint_ms),
    ("pan step: one maPan mouse move and its repaint", SIZES, lambda n: [f"BM_PanStep/{n}"],
     lambda n: [f"BM_PanStep/{n}"], paint_ms),
    paint_row("logarithmic Y axis", "LogY"),
    paint_row("2-px pen", "Pen2"),
    paint_row("dashed pen", "Dashed"),
    paint_row("marks, 1 px (symbol 0)", "Dots"),
    paint_row("marks, 3 × 3 cross (symbol 4)", "Marks"),
    paint_row("4 series of N/4 in 4 colours", "Series4"),
    paint_row("16 series of N/16 in 4 colours", "Series16"),
    ("append point by point", SIZES, per_point_names, lambda n: [f"BM_Append/PerPoint/{n}"],
     ns_per_point),
    ("append in bulk", SIZES, lambda n: [f"BM_Append/Bulk/{n}"], lambda n: [f"BM_Append/Bulk/{n}"],
     ns_per_point),
    ("memory, appended point by point", SIZES, per_point_names,
     lambda n: [f"BM_Append/PerPoint/{n}"], bytes_per_point),
    ("memory, appended in bulk", SIZES, lambda n: [f"BM_Append/Bulk/{n}"],
     lambda n: [f"BM_Append/Bulk/{n}"], bytes_per_point),
    ("streaming frame: 16,000 points in, as many out, view follows, repaint", (10_000_000,),
     lambda n: ["BM_Streaming"], lambda n: ["BM_Streaming"], paint_ms),
]


def cell(results, names, measure):
    """(value or None, cell text) of the first of `names` that has a result."""
    for name in names:
        found = results.get(name)
        if isinstance(found, str):
            return None, f"failed: {found}"
        if found is not None:
            return measure(found)
    return None, "–"


def ratio(nox, peer):
    if nox is None or not peer:
        return "–"
    r = nox / peer
    return f"{r:.0f}" if r >= 100 else f"{r:.3g}"


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

    chart = load_results(os.path.join(args.results, "chart_speed_bench.json"))
    peer = load_results(os.path.join(args.results, "qcustomplot_bench.json"))
    memory = load_results(os.path.join(args.results, "memory_reference_bench.json"))
    rows = []

    def row(what, n, nox_text, peer_text="–", nox_to_peer="–"):
        rows.append(f"| {what} | {n} | {nox_text} | {peer_text} | {nox_to_peer} |")

    for what, sizes, nox_names, peer_names, measure in SIDE_BY_SIDE:
        for n in sizes:
            nox_value, nox_text = cell(chart, nox_names(n), measure)
            peer_value, peer_text = cell(peer, peer_names(n), measure)
            if nox_text != "–" or peer_text != "–":
                row(what, SIZE_NAMES[n], nox_text, peer_text, ratio(nox_value, peer_value))

    launch, from_main = time_demo(args.demo, args.runs)
    row("demo start to first paint (offscreen)", "the demo's 3 series",
        f"{launch:.1f} ms from launch ({from_main:.1f} ms from main())")
    for n in SIZES[1:]:
        row("reference: read one field of each 96-byte record", SIZE_NAMES[n],
            f"{ms(memory[f'BM_ReadRecords/{n}']):.3f} ms")
    for n in SIZES[1:]:
        row("reference: column min/max of 16-byte points, spans into 429×365", SIZE_NAMES[n],
            f"{ms(memory[f'BM_MinMaxColumns/{n}']):.3f} ms")
    for n in SIZES[1:]:
        paint = ms(chart[f"BM_Paint/Line/{n}/1"]) / ms(memory[f"BM_MinMaxColumns/{n}"])
        row("Paint (block summaries) ÷ column min/max reference", SIZE_NAMES[n], f"{paint:.2f}×")

    print("| what | N | nox | QCustomPlot | nox ÷ peer |")
    print("|---|---|---|---|---|")
    print("\n".join(rows))


if __name__ == "__main__":
    main()
