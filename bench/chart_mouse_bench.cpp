// What following the mouse costs: a pan drag over a large display list (one repaint per move) and
// a zoom-window drag (XOR rubber figures only, no repaint).

#include <benchmark/benchmark.h>

#include <cmath>

#include "chart/Nox_grafon.h"

namespace {

constexpr int kMovesPerDrag = 100;

// A chart that counts its paints, so the benchmark can show one repaint per move.
class TCountingGrafon : public nox::TGrafon {
 public:
  TCountingGrafon() : nox::TGrafon(nullptr) {}
  void Paint() override {
    ++Paints;
    nox::TGrafon::Paint();
  }
  long long Paints = 0;
};

// A shown 800 x 600 chart holding one series of `items` line items on layer 1.
void FillChart(TCountingGrafon& chart, int items) {
  chart.SetBounds(0, 0, 800, 600);
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.MoveToPoint(0, 0);
  for (int i = 1; i < items; ++i) chart.LineToPoint(i, std::sin(i * 1e-3));
  chart.SetAutoRedraw(true);
  chart.SetLayerRange(1, 0, -1.5, items, 1.5);
  chart.Repaint();
}

void Drag(TCountingGrafon& chart, int fromX, int y, int step) {
  chart.DispatchMouseDown(nox::mbLeft, nox::TShiftState{nox::ssLeft}, fromX, y);
  for (int i = 0; i <= kMovesPerDrag; ++i) {
    chart.DispatchMouseMove(nox::TShiftState{nox::ssLeft}, fromX + i * step, y + i);
  }
  chart.DispatchMouseUp(nox::mbLeft, nox::TShiftState{}, fromX + kMovesPerDrag * step, y + kMovesPerDrag);
}

// A pan drag of 100 moves (the first move only records its start).
void BM_PanDrag(benchmark::State& state) {
  TCountingGrafon chart;
  FillChart(chart, static_cast<int>(state.range(0)));
  chart.SetMouseAction(nox::maPan);
  const long long paintsBefore = chart.Paints;
  for (auto _ : state) Drag(chart, 150, 150, 3);
  const double moves = static_cast<double>(state.iterations()) * kMovesPerDrag;
  // Time is per drag of 100 moves; this is the same as moves per second.
  state.counters["moves"] = benchmark::Counter(moves, benchmark::Counter::kIsRate);
  state.counters["paints_per_move"] = static_cast<double>(chart.Paints - paintsBefore) / moves;
}
BENCHMARK(BM_PanDrag)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A zoom-window drag: every move erases and draws a rectangle; the release is cancelled with the
// right button, so the range stays and nothing repaints.
void BM_ZoomWindowDrag(benchmark::State& state) {
  TCountingGrafon chart;
  FillChart(chart, 1'000'000);
  chart.SetMouseAction(nox::maZoomWind);
  for (auto _ : state) {
    chart.DispatchMouseDown(nox::mbLeft, nox::TShiftState{nox::ssLeft}, 100, 100);
    for (int i = 1; i <= kMovesPerDrag; ++i)
      chart.DispatchMouseMove(nox::TShiftState{nox::ssLeft}, 100 + 5 * i, 100 + 4 * i);
    chart.DispatchMouseUp(nox::mbRight, nox::TShiftState{}, 600, 500);
  }
  state.counters["moves"] = benchmark::Counter(static_cast<double>(state.iterations()) * kMovesPerDrag,
                                               benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ZoomWindowDrag)->Unit(benchmark::kMillisecond);

// The value readout of one pointer position over the series, and of looking at every item for it.
void BM_NearestDataItem(benchmark::State& state) {
  TCountingGrafon chart;
  FillChart(chart, static_cast<int>(state.range(0)));
  int x = 100;
  for (auto _ : state) {
    benchmark::DoNotOptimize(chart.NearestDataItem(x, 300, 5));
    x = x == 700 ? 100 : x + 1;
  }
}
BENCHMARK(BM_NearestDataItem)->Arg(1'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

void BM_NearestByEveryItem(benchmark::State& state) {
  TCountingGrafon chart;
  FillChart(chart, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int best = -1;
    for (int i = 0; i < chart.DataCount(); ++i) {
      const nox::TgfChartItem item = chart.DataItems()[static_cast<std::size_t>(i)];
      int px = 0, py = 0;
      chart.WorldToPixel(item.Layer, item.X1, item.Y1, px, py);
      if (std::abs(px - 400) <= 5 && std::abs(py - 300) <= 5) best = i;
    }
    benchmark::DoNotOptimize(best);
  }
}
BENCHMARK(BM_NearestByEveryItem)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
