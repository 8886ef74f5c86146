// QCustomPlot doing the work of the chart's speed bench (bench/chart_speed_bench.cpp), for the
// side-by-side table of scripts/bench.sh: the same series in the same demo-sized widget (429 x 365,
// the demo's margins, both axes and a caption), each kind of series replotted, a pan step,
// appending point by point and in bulk (time and bytes per point), and a scrolling live view.
//
// The plot runs with QCustomPlot's fastest settings: nothing antialiased, fast polylines (solid
// lines drawn as separate segments, so wide lines lose their joins; about 5 times faster for the
// 2-pixel pen), and adaptive sampling on (QCPGraph's default). Adaptive sampling is lossy: it draws
// a thinned set of points per pixel column, which changes the picture little for lines but thins
// scatter plots visibly; the chart draws every item.
//
// Each iteration replots with an immediate refresh: every layer is drawn again into the widget's
// paint buffers (pixmaps of the widget's size) and the widget repaints from them at once on Qt's
// offscreen platform. Each plot is checked once to show its data, so no row measures an empty
// replot.

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMargins>
#include <QPen>
#include <QVector>
#include <algorithm>
#include <cstddef>
#include <memory>

#include "bench/speed_workload.h"

namespace {

using bench::SeriesY;
using bench::TNoise;
using bench::TSeries;

// The series' points 0 .. count (point 0 the line runs' start at (0, 0)), made once per size.
struct TSeriesData {
  int Count = -1;
  QVector<double> X, Y;
};
const TSeriesData& SeriesData(int count) {
  static TSeriesData data;
  if (data.Count != count) {
    data = {};
    data.Count = count;
    data.X.resize(count + 1);
    data.Y.resize(count + 1);
    TNoise noise;
    for (int i = 0; i <= count; ++i) {
      data.X[i] = i;
      data.Y[i] = i == 0 ? 0 : SeriesY(i, noise);
    }
  }
  return data;
}

// A widget of the demo's size with a caption over the axis rectangle and no grid (as the chart),
// nothing antialiased. The caption's row is the chart's top margin and the axis rectangle's margins
// the other three, so the data area has the chart area's size.
std::unique_ptr<QCustomPlot> NewPlot() {
  auto plot = std::make_unique<QCustomPlot>();
  plot->resize(bench::kChartWidth, bench::kChartHeight);
  plot->setNotAntialiasedElements(QCP::aeAll);
  plot->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
  plot->plotLayout()->insertRow(0);
  plot->plotLayout()->setRowSpacing(0);
  auto* caption = new QCPTextElement(plot.get(), "Caption");
  caption->setSizeConstraintRect(QCPLayoutElement::scrOuterRect);
  caption->setMinimumSize(0, bench::kMarginTop);
  caption->setMaximumSize(QWIDGETSIZE_MAX, bench::kMarginTop);
  plot->plotLayout()->addElement(0, 0, caption);
  plot->xAxis->grid()->setVisible(false);
  plot->yAxis->grid()->setVisible(false);
  plot->axisRect()->setAutoMargins(QCP::msNone);
  plot->axisRect()->setMargins(
      QMargins(bench::kMarginLeft, 0, bench::kMarginRight, bench::kMarginBottom));
  plot->show();
  return plot;
}

// The pen of a graph; the dash is the chart's: 18 pixels on, 6 off.
QPen SeriesPen(TSeries series, int graph) {
  QPen pen(QColor::fromRgb(bench::kSeriesColours[graph % 4]), series == bench::srWideLine ? 2 : 1);
  if (series == bench::srDashedLine) pen.setDashPattern({18, 6});
  return pen;
}

// Adds the graphs of `series` for points 0 .. count (marks leave out the line runs' start);
// returns their y range. A line run is a graph, marks are a graph's scatter symbols without a line.
QCPRange AddSeries(QCustomPlot& plot, int count, TSeries series) {
  const TSeriesData& data = SeriesData(count);
  const int graphs = bench::RunCount(series);
  const bool marks = bench::IsMarks(series);
  const double shift = bench::YShift(series);
  const auto [low, high] = std::minmax_element(data.Y.begin() + (marks ? 1 : 0), data.Y.end());
  for (int g = 0; g < graphs; ++g) {
    QVector<double> x, y;
    x.reserve(count / graphs + 2);
    y.reserve(count / graphs + 2);
    if (!marks) {
      x.append(0);
      y.append(shift);
    }
    for (int i = g + 1; i <= count; i += graphs) {
      x.append(data.X[i]);
      y.append(data.Y[i] + shift);
    }
    QCPGraph* graph = plot.addGraph();
    graph->setPen(SeriesPen(series, g));
    graph->setAdaptiveSampling(true);
    if (marks) {
      graph->setLineStyle(QCPGraph::lsNone);
      graph->setScatterStyle(series == bench::srDots ? QCPScatterStyle(QCPScatterStyle::ssDot)
                                              : QCPScatterStyle(QCPScatterStyle::ssCross, 3));
    }
    graph->setData(x, y, true);
  }
  if (series == bench::srLogLine) {
    plot.yAxis->setScaleType(QCPAxis::stLogarithmic);
    plot.yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
  }
  return {*low + shift, *high + shift};
}

// True if the widget shows data: a pixel inside the axis rectangle (clear of the inward ticks)
// other than the background.
bool ShowsData(QCustomPlot& plot) {
  const QImage image = plot.grab().toImage();
  const QRect inside = plot.axisRect()->rect().adjusted(6, 6, -6, -6);
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) return true;
    }
  }
  return false;
}

struct TDemoPlot {
  std::unique_ptr<QCustomPlot> Plot;
  int Count = 0;
  TSeries Series = bench::srLine;
  QCPRange YRange;
  bool ShowsData = false;
};

// The scrolling live view of the streaming row, kept across its runs.
struct TStream {
  std::unique_ptr<QCustomPlot> Plot;
  TNoise Noise;
  long long Last = 0;  // the newest point's i
  QVector<double> X, Y;

  // The next `points` points of the series into X and Y.
  void Next(int points) {
    X.resize(points);
    Y.resize(points);
    for (int j = 0; j < points; ++j) {
      X[j] = static_cast<double>(++Last);
      Y[j] = SeriesY(Last, Noise);
    }
  }
};

// Every widget the rows keep, released while the application still exists.
struct TKeptPlots {
  TDemoPlot Demo;
  std::unique_ptr<QCustomPlot> AppendHost;
  TStream Stream;
};
TKeptPlots& Kept() {
  static TKeptPlots kept;
  return kept;
}

// The demo-sized plot with the series at its start view (x 0 .. N, y the series' own range). The
// last plot built is kept, as the chart's bench keeps its chart.
TDemoPlot& DemoPlot(int count, TSeries series) {
  TDemoPlot& kept = Kept().Demo;
  if (!kept.Plot || kept.Count != count || kept.Series != series) {
    kept = {};
    kept.Plot = NewPlot();
    kept.Count = count;
    kept.Series = series;
    kept.YRange = AddSeries(*kept.Plot, count, series);
    kept.Plot->xAxis->setRange(0, count);
    kept.Plot->yAxis->setRange(kept.YRange);
    kept.Plot->replot(QCustomPlot::rpImmediateRefresh);
    kept.ShowsData = ShowsData(*kept.Plot);
  }
  kept.Plot->xAxis->setRange(0, count);
  kept.Plot->yAxis->setRange(kept.YRange);
  return kept;
}

void BM_Paint(benchmark::State& state, TSeries series) {
  TDemoPlot& demo = DemoPlot(static_cast<int>(state.range(0)), series);
  if (!demo.ShowsData) {
    state.SkipWithError("the replot showed no data");
    return;
  }
  for (auto _ : state) demo.Plot->replot(QCustomPlot::rpImmediateRefresh);
}
void AtEachSize(benchmark::internal::Benchmark* b) {
  for (const int count : bench::kSizes) b->Arg(count);
  b->Unit(benchmark::kMillisecond);
}

// One step of a pan drag (bench::PanOffset pixels right and half as many down, the view following
// the pointer) and its replot.
void BM_PanStep(benchmark::State& state) {
  TDemoPlot& demo = DemoPlot(static_cast<int>(state.range(0)), bench::srLine);
  QCustomPlot& plot = *demo.Plot;
  const QCPRange x = plot.xAxis->range(), y = plot.yAxis->range();
  const double xPerPixel = x.size() / plot.axisRect()->width();
  const double yPerPixel = y.size() / plot.axisRect()->height();
  long long step = 0;
  for (auto _ : state) {
    const int offset = bench::PanOffset(step++);
    plot.xAxis->setRange(x - offset * xPerPixel);
    plot.yAxis->setRange(y + offset / 2 * yPerPixel);
    plot.replot(QCustomPlot::rpImmediateRefresh);
  }
}

// Appending the series' points 0 .. N to a new graph, point by point (addData) or in one call
// (setData with the two vectors). Memory: the growth of the allocator's bytes in use while the
// graph is added and filled, per point.
void BM_Append(benchmark::State& state, bool bulk) {
  const TSeriesData& data = SeriesData(static_cast<int>(state.range(0)));
  if (!Kept().AppendHost) Kept().AppendHost = std::make_unique<QCustomPlot>();
  QCustomPlot& host = *Kept().AppendHost;
  double bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::size_t before = bench::BytesInUse();
    QCPGraph* graph = host.addGraph();
    state.ResumeTiming();
    if (bulk) {
      graph->setData(data.X, data.Y, true);
    } else {
      for (qsizetype i = 0; i < data.X.size(); ++i) graph->addData(data.X[i], data.Y[i]);
    }
    benchmark::DoNotOptimize(graph->dataCount());
    state.PauseTiming();
    bytes = static_cast<double>(bench::BytesInUse() - before);
    host.removeGraph(graph);
    state.ResumeTiming();
  }
  // Time per point is the iteration's time over `items`, as in the chart's bench.
  const double items = static_cast<double>(data.X.size());
  state.counters["items"] = items;
  state.counters["bytes_per_item"] = bytes / items;
}

// One frame of a scrolling live view: bench::kStreamFramePoints new points of the series appended,
// as many of the oldest removed so that bench::kStreamKept stay, the x range following the newest
// point (the y range the series' envelope over it), and a replot. The view lives across runs and
// keeps scrolling.
void BM_Streaming(benchmark::State& state) {
  TStream& stream = Kept().Stream;
  if (!stream.Plot) {
    stream.Plot = NewPlot();
    QCPGraph* graph = stream.Plot->addGraph();
    graph->setPen(SeriesPen(bench::srLine, 0));
    graph->setAdaptiveSampling(true);
    stream.Next(bench::kStreamKept);
    graph->setData(stream.X, stream.Y, true);
  }
  QCPGraph* graph = stream.Plot->graph();
  for (auto _ : state) {
    state.PauseTiming();
    stream.Next(bench::kStreamFramePoints);
    state.ResumeTiming();
    graph->addData(stream.X, stream.Y, true);
    const long long first = stream.Last - bench::kStreamKept + 1;
    graph->data()->removeBefore(static_cast<double>(first));
    stream.Plot->xAxis->setRange(static_cast<double>(first - 1), static_cast<double>(stream.Last));
    const bench::TYEnvelope y = bench::SeriesEnvelope(first, stream.Last);
    stream.Plot->yAxis->setRange(y.Low, y.High);
    stream.Plot->replot(QCustomPlot::rpImmediateRefresh);
  }
  state.counters["points_kept"] = graph->dataCount();
  if (!ShowsData(*stream.Plot)) state.SkipWithError("the replot showed no data");
}

}  // namespace

// Appending comes first, before a kept plot fills memory.
BENCHMARK_CAPTURE(BM_Append, PerPoint, false)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Append, Bulk, true)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Line, bench::srLine)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, LogY, bench::srLogLine)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Pen2, bench::srWideLine)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Dashed, bench::srDashedLine)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Dots, bench::srDots)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Marks, bench::srMarks)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Series4, bench::srFourSeries)->Apply(AtEachSize);
BENCHMARK_CAPTURE(BM_Paint, Series16, bench::srSixteenSeries)->Apply(AtEachSize);
BENCHMARK(BM_PanStep)->Apply(AtEachSize);
BENCHMARK(BM_Streaming)->Iterations(bench::kStreamFramesPerRun)->Unit(benchmark::kMillisecond);

// The widgets need an application; Qt's offscreen platform runs them without a display.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Kept() = {};
  return 0;
}
