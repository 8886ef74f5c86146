// The chart's headline costs on the demo-sized chart (429 x 365, the demo's margins) with one long
// series: a full Paint (block-summary path and item-by-item path), one pan step with its repaint,
// a paint of many marks, and appending a long line-to series (time and memory per item).
//
// The series: x = i, y = sin(0.04 i) * i / 30 + i / 10 + 40 * noise for i = 1 .. N (noise uniform in
// [0, 1) from a fixed-seed generator), after a move-to at (0, 0); the x range is 0 .. N and the y
// range the series' own. scripts/bench.sh runs this program and formats its results as a table.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "chart/Nox_grafon.h"

namespace {

enum TSeries { srLine, srMarks };

// A chart that counts its paints, so the pan step can show that every move repainted.
class TCountingGrafon : public nox::TGrafon {
 public:
  TCountingGrafon() : nox::TGrafon(nullptr) {}
  void Paint() override {
    ++Paints;
    nox::TGrafon::Paint();
  }
  long long Paints = 0;
};

// The deterministic noise: a 32-bit linear congruential generator from seed 0, values in [0, 1).
class TNoise {
 public:
  double Next() {
    m_seed = m_seed * 134775813u + 1u;
    return m_seed / 4294967296.0;
  }

 private:
  std::uint32_t m_seed = 0;
};

double SeriesY(int i, TNoise& noise) {
  const double t = i;
  return std::sin(0.04 * t) * t / 30 + t / 10 + 40 * noise.Next();
}

struct TYRange {
  double Low = 0, High = 0;
};

// Appends the series; returns its y range (the move-to's 0 included).
TYRange AppendSeries(nox::TGrafon& chart, int count, TSeries series) {
  TNoise noise;
  TYRange range;
  if (series == srLine) chart.MoveToPoint(0, 0);
  for (int i = 1; i <= count; ++i) {
    const double y = SeriesY(i, noise);
    range.Low = std::min(range.Low, y);
    range.High = std::max(range.High, y);
    if (series == srLine) {
      chart.LineToPoint(i, y);
    } else {
      chart.AddMark(4, i, y);
    }
  }
  return range;
}

struct TDemoChart {
  std::unique_ptr<TCountingGrafon> Chart;
  TYRange Range;
};

// The demo-sized chart with the series, shown at its start view (the series' whole box). Charts
// are built once per size and kind and kept for the whole run: building 10^7 items takes longer
// than measuring them, and each benchmark runs its function once per repetition.
TCountingGrafon& DemoChart(int count, TSeries series) {
  static std::map<std::pair<int, TSeries>, TDemoChart> charts;
  TDemoChart& entry = charts[{count, series}];
  if (!entry.Chart) {
    entry.Chart = std::make_unique<TCountingGrafon>();
    TCountingGrafon& chart = *entry.Chart;
    chart.HandleNeeded();
    chart.SetAutoRedraw(false);
    chart.SetBounds(0, 0, 429, 365);
    chart.SetMarginLeft(60);
    chart.SetMarginRight(15);
    chart.SetMarginTop(20);
    chart.SetMarginBottom(40);
    chart.SetCaption("Caption");
    entry.Range = AppendSeries(chart, count, series);
  }
  TCountingGrafon& chart = *entry.Chart;
  chart.SetAutoRedraw(false);
  chart.SetMouseAction(nox::maNone);
  chart.SetFastLineRuns(true);
  chart.SetLayerRange(1, 0, entry.Range.Low, count, entry.Range.High);
  chart.Paint();
  return chart;
}

// Bytes the allocator has handed out and not taken back (small blocks and mapped ones).
std::size_t BytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Appending the line-to series to a new chart (run first, before the kept charts fill memory). Memory: the growth of the allocator's bytes in use
// while the chart is built and filled (everything the chart holds for its data), and the record
// storage that the item container reports, both per item.
void BM_AppendLineTo(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  TNoise noise;
  std::vector<double> ys(static_cast<std::size_t>(count) + 1);
  for (int i = 1; i <= count; ++i) ys[static_cast<std::size_t>(i)] = SeriesY(i, noise);
  double chartBytes = 0, recordBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::size_t before = BytesInUse();
    auto chart = std::make_unique<nox::TGrafon>(nullptr);
    chart->SetAutoRedraw(false);
    state.ResumeTiming();
    chart->MoveToPoint(0, 0);
    for (int i = 1; i <= count; ++i) chart->LineToPoint(i, ys[static_cast<std::size_t>(i)]);
    benchmark::DoNotOptimize(chart->DataCount());
    state.PauseTiming();
    chartBytes = static_cast<double>(BytesInUse() - before);
    recordBytes = static_cast<double>(chart->DataItems().AllocatedBytes());
    chart.reset();
    state.ResumeTiming();
  }
  // Time per item is the iteration's time over `items` (a rate counter does not survive the
  // median aggregate).
  const double items = static_cast<double>(count) + 1;
  state.counters["items"] = items;
  state.counters["bytes_per_item"] = chartBytes / items;
  state.counters["record_bytes_per_item"] = recordBytes / items;
}
BENCHMARK(BM_AppendLineTo)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

// A full Paint; range(1) = 0 draws every item on its own (the plain path).
void BM_Paint(benchmark::State& state, TSeries series) {
  const auto count = static_cast<int>(state.range(0));
  TCountingGrafon& chart = DemoChart(count, series);
  chart.SetFastLineRuns(state.range(1) != 0);
  for (auto _ : state) {
    chart.Paint();
    benchmark::DoNotOptimize(chart.ScreenImage().Bits());
  }
  chart.SetFastLineRuns(true);
}
BENCHMARK_CAPTURE(BM_Paint, Line, srLine)
    ->Args({100'000, 1})
    ->Args({1'000'000, 1})
    ->Args({10'000'000, 1})
    ->Args({100'000, 0})
    ->Args({1'000'000, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paint, Marks, srMarks)->Args({100'000, 1})->Unit(benchmark::kMillisecond);

// One mouse move of a pan drag and the repaint it asks for. The drag goes 20 steps of 2 pixels one
// way and 20 back, so the view stays over the series.
void BM_PanStep(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  TCountingGrafon& chart = DemoChart(count, srLine);
  chart.SetAutoRedraw(true);
  chart.SetMouseAction(nox::maPan);
  chart.Repaint();
  constexpr int kX = 200, kY = 170;
  chart.DispatchMouseDown(nox::mbLeft, nox::TShiftState{nox::ssLeft}, kX, kY);
  chart.DispatchMouseMove(nox::TShiftState{nox::ssLeft}, kX, kY);  // records the drag's start
  chart.PaintIfPending();
  const long long paintsBefore = chart.Paints;
  long long step = 0;
  for (auto _ : state) {
    const long long phase = step++ % 40;
    const int offset = 2 * static_cast<int>(phase < 20 ? phase + 1 : 39 - phase);
    chart.DispatchMouseMove(nox::TShiftState{nox::ssLeft}, kX + offset, kY + offset / 2);
    chart.PaintIfPending();  // what the host does before it shows the changed area
    benchmark::DoNotOptimize(chart.ScreenImage().Bits());
  }
  chart.DispatchMouseUp(nox::mbLeft, nox::TShiftState{}, kX, kY);
  state.counters["paints_per_move"] =
      static_cast<double>(chart.Paints - paintsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PanStep)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
