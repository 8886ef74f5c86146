// The chart's headline costs on the demo-sized chart (429 x 365, the demo's margins) with one long
// series: a full Paint (block-summary path and item-by-item path) for each kind of series (1-pixel
// line, logarithmic Y axis, 2-pixel and dashed pens, marks, many series), one pan step with its
// repaint, appending a long series (point by point and in bulk: time and memory per point), and a
// frame of a scrolling live view.
//
// The data and the chart are those of bench/speed_workload.h, which bench/peer/qcustomplot_bench.cpp
// draws with QCustomPlot; the x range is 0 .. N and the y range the series' own. scripts/bench.sh
// runs both programs and formats their results as one table.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/speed_workload.h"
#include "chart/Nox_grafon.h"

namespace {

using bench::SeriesY;
using bench::TNoise;
using bench::TSeries;

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

// The demo-sized control every chart of these rows is drawn in: its size, margins and caption.
void SetUpDemoFrame(TCountingGrafon& chart) {
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetBounds(0, 0, bench::kChartWidth, bench::kChartHeight);
  chart.SetMarginLeft(bench::kMarginLeft);
  chart.SetMarginRight(bench::kMarginRight);
  chart.SetMarginTop(bench::kMarginTop);
  chart.SetMarginBottom(bench::kMarginBottom);
  chart.SetCaption("Caption");
}

struct TYRange {
  double Low = 0, High = 0;
};

// A line run's colour as the chart takes it (0x00BBGGRR).
nox::TColor RunColour(int run) {
  const std::uint32_t rgb = bench::kSeriesColours[run % 4];
  return static_cast<nox::TColor>(((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | (rgb >> 16));
}

// Appends the series' points 1 .. count as `series` draws them; returns their y range (the line
// runs' start included).
TYRange AppendSeries(nox::TGrafon& chart, int count, TSeries series) {
  const int runs = bench::RunCount(series);
  const bool marks = bench::IsMarks(series);
  const double shift = bench::YShift(series);
  // ys[i] is point i's y; ys[0] the line runs' start.
  std::vector<double> ys(static_cast<std::size_t>(count) + 1, shift);
  TNoise noise;
  for (int i = 1; i <= count; ++i) ys[static_cast<std::size_t>(i)] += SeriesY(i, noise);
  const auto [low, high] = std::minmax_element(ys.begin() + (marks ? 1 : 0), ys.end());
  const TYRange range{*low, *high};
  if (series == bench::srWideLine) chart.SetLineWidth(2);
  if (series == bench::srDashedLine) chart.SetPenStyle(nox::psDash);
  for (int run = 0; run < runs; ++run) {
    chart.SetDataColor(RunColour(run));
    if (!marks) chart.MoveToPoint(0, static_cast<int>(shift));
    for (int i = run + 1; i <= count; i += runs) {
      const double y = ys[static_cast<std::size_t>(i)];
      if (marks) {
        chart.AddMark(series == bench::srDots ? 0 : 4, i, y);  // symbol 0 is one pixel, 4 a 3 x 3 cross
      } else {
        chart.LineToPoint(i, y);
      }
    }
  }
  return range;
}

struct TDemoChart {
  std::unique_ptr<TCountingGrafon> Chart;
  int Count = 0;
  TSeries Series = bench::srLine;
  TYRange Range;
};

// The demo-sized chart with the series, shown at its start view (the series' whole box). The
// last chart built is kept, as building 10^7 items takes longer than measuring them and each
// benchmark runs its function more than once; only one, as a chart of 10^7 items holds about a
// gigabyte.
TCountingGrafon& DemoChart(int count, TSeries series) {
  static TDemoChart kept;
  if (!kept.Chart || kept.Count != count || kept.Series != series) {
    kept = {};  // frees the old chart before the new one fills memory
    kept.Chart = std::make_unique<TCountingGrafon>();
    kept.Count = count;
    kept.Series = series;
    TCountingGrafon& chart = *kept.Chart;
    SetUpDemoFrame(chart);
    kept.Range = AppendSeries(chart, count, series);
    if (series == bench::srLogLine) {
      // The range must be positive before the axis may turn logarithmic.
      chart.SetLayerRange(1, 0, kept.Range.Low, count, kept.Range.High);
      chart.Scale1Y().SetLogarithmic(true);
    }
  }
  TCountingGrafon& chart = *kept.Chart;
  chart.SetAutoRedraw(false);
  chart.SetMouseAction(nox::maNone);
  chart.SetFastLineRuns(true);
  chart.SetLayerRange(1, 0, kept.Range.Low, count, kept.Range.High);
  chart.Paint();
  return chart;
}

// Appending the line-to series to a new chart (run first, before a kept chart fills memory).
// Memory: the growth of the allocator's bytes in use while the chart is built and filled
// (everything the chart holds for its data), and what the series store reports holding, both per
// item.
void BM_AppendLineTo(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  TNoise noise;
  std::vector<double> ys(static_cast<std::size_t>(count) + 1);
  for (int i = 1; i <= count; ++i) ys[static_cast<std::size_t>(i)] = SeriesY(i, noise);
  double chartBytes = 0, recordBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::size_t before = bench::BytesInUse();
    auto chart = std::make_unique<nox::TGrafon>(nullptr);
    chart->SetAutoRedraw(false);
    state.ResumeTiming();
    chart->MoveToPoint(0, 0);
    for (int i = 1; i <= count; ++i) chart->LineToPoint(i, ys[static_cast<std::size_t>(i)]);
    benchmark::DoNotOptimize(chart->DataCount());
    state.PauseTiming();
    chartBytes = static_cast<double>(bench::BytesInUse() - before);
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

// The series' points 0 .. count (point 0 at (0, 0)) as x and y columns.
struct TSeriesColumns {
  int Count = -1;
  std::vector<double> X, Y;
};
const TSeriesColumns& SeriesColumns(int count) {
  static TSeriesColumns data;
  if (data.Count != count) {
    data = {};
    data.Count = count;
    data.X.resize(static_cast<std::size_t>(count) + 1);
    data.Y.resize(static_cast<std::size_t>(count) + 1);
    TNoise noise;
    for (int i = 0; i <= count; ++i) {
      data.X[static_cast<std::size_t>(i)] = i;
      data.Y[static_cast<std::size_t>(i)] = i == 0 ? 0 : SeriesY(i, noise);
    }
  }
  return data;
}

// The peer's rows of appending: the series in world units, point by point (MoveTo, then LineTo)
// or in bulk (AppendSeries), onto a new chart; time and the allocator's growth per point.
void BM_Append(benchmark::State& state, bool bulk) {
  const TSeriesColumns& data = SeriesColumns(static_cast<int>(state.range(0)));
  double bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::size_t before = bench::BytesInUse();
    auto chart = std::make_unique<nox::TGrafon>(nullptr);
    chart->SetAutoRedraw(false);
    state.ResumeTiming();
    if (bulk) {
      chart->AppendSeries(data.X, data.Y);
    } else {
      chart->MoveTo(data.X[0], data.Y[0]);
      for (std::size_t i = 1; i < data.X.size(); ++i) chart->LineTo(data.X[i], data.Y[i]);
    }
    benchmark::DoNotOptimize(chart->DataCount());
    state.PauseTiming();
    bytes = static_cast<double>(bench::BytesInUse() - before);
    chart.reset();
    state.ResumeTiming();
  }
  const double items = static_cast<double>(data.X.size());
  state.counters["items"] = items;
  state.counters["bytes_per_item"] = bytes / items;
}

// One frame of the scrolling live view, as the peer's BM_Streaming: bench::kStreamFramePoints new
// points appended (line-tos, so the line goes on from the last frame), the data limit dropping as
// many of the oldest, the x range following the newest point (the y range the series' envelope
// over it), and a paint. The chart lives across runs and keeps scrolling.
struct TStream {
  std::unique_ptr<TCountingGrafon> Chart;
  TNoise Noise;
  long long Last = 0;  // the newest point's i
  std::vector<double> X, Y;

  void Next(int points) {
    X.resize(static_cast<std::size_t>(points));
    Y.resize(static_cast<std::size_t>(points));
    for (std::size_t j = 0; j < X.size(); ++j) {
      X[j] = static_cast<double>(++Last);
      Y[j] = SeriesY(Last, Noise);
    }
  }
};

void BM_Streaming(benchmark::State& state) {
  static TStream stream;
  if (!stream.Chart) {
    stream.Chart = std::make_unique<TCountingGrafon>();
    TCountingGrafon& chart = *stream.Chart;
    SetUpDemoFrame(chart);
    chart.SetDataLimit(bench::kStreamKept);
    stream.Next(bench::kStreamKept);
    chart.AppendSeries(stream.X, stream.Y);
  }
  TCountingGrafon& chart = *stream.Chart;
  for (auto _ : state) {
    state.PauseTiming();
    stream.Next(bench::kStreamFramePoints);
    state.ResumeTiming();
    for (std::size_t j = 0; j < stream.X.size(); ++j) chart.LineTo(stream.X[j], stream.Y[j]);
    const long long first = stream.Last - bench::kStreamKept + 1;
    const bench::TYEnvelope y = bench::SeriesEnvelope(first, stream.Last);
    chart.SetLayerRange(1, static_cast<double>(first - 1), y.Low, static_cast<double>(stream.Last), y.High);
    chart.Paint();
    benchmark::DoNotOptimize(chart.ScreenImage().Bits());
  }
  state.counters["points_kept"] = chart.DataCount();
}

// A full Paint; range(1) = 0 draws every item on its own (the plain path).
void BM_Paint(benchmark::State& state, TSeries series) {
  const auto count = static_cast<int>(state.range(0));
  TCountingGrafon& chart = DemoChart(count, series);
  if (series == bench::srLogLine && !chart.Scale1Y().Logarithmic()) {
    state.SkipWithError("the Y axis did not turn logarithmic");
    return;
  }
  chart.SetFastLineRuns(state.range(1) != 0);
  for (auto _ : state) {
    chart.Paint();
    benchmark::DoNotOptimize(chart.ScreenImage().Bits());
  }
  chart.SetFastLineRuns(true);
}
// The sizes of the side-by-side table, drawn as the chart draws by default.
void AtEachSize(benchmark::internal::Benchmark* b) {
  for (const int count : bench::kSizes) b->Args({count, 1});
  b->Unit(benchmark::kMillisecond);
}
// Appending comes first, before a kept chart fills memory.
BENCHMARK_CAPTURE(BM_Append, PerPoint, false)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Append, Bulk, true)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paint, Line, bench::srLine)
    ->Args({100'000, 1})
    ->Args({100'000, 0})
    ->Args({1'000'000, 1})
    ->Args({1'000'000, 0})
    ->Args({10'000'000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paint, LogY, bench::srLogLine)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Pen2, bench::srWideLine)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Dashed, bench::srDashedLine)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Dots, bench::srDots)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Marks, bench::srMarks)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Series4, bench::srFourSeries)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Series16, bench::srSixteenSeries)->Apply(AtEachSize);

// A full Paint on a HiDPI screen: range(2) device pixels per pixel, in hundredths; range(1) = 0
// draws every item on its own (the plain path).
void BM_PaintAtScale(benchmark::State& state, TSeries series) {
  TCountingGrafon& chart = DemoChart(static_cast<int>(state.range(0)), series);
  chart.SetDeviceScale(static_cast<double>(state.range(2)) / 100);
  chart.SetFastLineRuns(state.range(1) != 0);
  for (auto _ : state) {
    chart.Paint();
    benchmark::DoNotOptimize(chart.ScreenImage().Bits());
  }
  chart.SetFastLineRuns(true);
  chart.SetDeviceScale(1);
}
void AtHiDpiScales(benchmark::internal::Benchmark* b) {
  for (const int scale : {200, 150}) {
    for (const int fast : {1, 0}) b->Args({1'000'000, fast, scale});
  }
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_PaintAtScale, Line, bench::srLine)->Apply(AtHiDpiScales);
BENCHMARK_CAPTURE(BM_PaintAtScale, Pen2, bench::srWideLine)->Apply(AtHiDpiScales);

// One mouse move of a pan drag and the repaint it asks for, the drag going as bench::PanOffset says.
void BM_PanStep(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  TCountingGrafon& chart = DemoChart(count, bench::srLine);
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
    const int offset = bench::PanOffset(step++);
    chart.DispatchMouseMove(nox::TShiftState{nox::ssLeft}, kX + offset, kY + offset / 2);
    chart.PaintIfPending();  // what the host does before it shows the changed area
    benchmark::DoNotOptimize(chart.ScreenImage().Bits());
  }
  chart.DispatchMouseUp(nox::mbLeft, nox::TShiftState{}, kX, kY);
  state.counters["paints_per_move"] =
      static_cast<double>(chart.Paints - paintsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PanStep)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Streaming)->Iterations(bench::kStreamFramesPerRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
