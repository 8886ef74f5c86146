// A full Paint of the demo-sized chart (429 x 365, axes, caption) with many items: what a pan costs
// on every mouse move. Beside it, in the same run, the time to merely read the same records from
// memory (one field of each 104-byte item), the floor any renderer of the list stands on, and the
// fixed cost of a paint without items.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "chart/Nox_grafon.h"

namespace {

enum TSeries { srNoisyLine, srSmoothLine, srMarks };

// The demo's chart with count items at x = 1..count (the x range is 0..count): a noisy line whose
// steps reach up to 40 units of the 170 shown, like the demo's first series; a smooth line; or marks.
std::unique_ptr<nox::TGrafon> DemoChart(int count, TSeries series) {
  auto chart = std::make_unique<nox::TGrafon>(nullptr);
  chart->HandleNeeded();
  chart->SetAutoRedraw(false);
  chart->SetBounds(0, 0, 429, 365);
  chart->SetMarginLeft(60);
  chart->SetMarginRight(15);
  chart->SetMarginTop(20);
  chart->SetMarginBottom(40);
  chart->SetCaption("Caption");
  chart->SetLayerRange(1, 0, -60, count, 110);
  std::uint32_t seed = 0;
  const auto random = [&seed] {
    seed = seed * 134775813u + 1u;
    return seed / 4294967296.0;
  };
  if (series != srMarks) chart->MoveToPoint(0, 0);
  for (int i = 1; i <= count; ++i) {
    const double t = 300.0 * i / count;
    switch (series) {
      case srNoisyLine:
        chart->LineToPoint(i, std::sin(0.04 * t) * (t / 30) + t / 10 + (random() + random()) * 20);
        break;
      case srSmoothLine:
        chart->LineToPoint(i, std::sin(0.05 * t) * (t / 10) * std::cos(0.04 * t) + 5);
        break;
      case srMarks:
        chart->AddMark(4, i, std::cos(0.05 * t) * (t / 5));
        break;
    }
  }
  return chart;
}

void ReportPerItem(benchmark::State& state, int count) {
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["ns_per_item"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * count,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Paint(benchmark::State& state, TSeries series) {
  const auto count = static_cast<int>(state.range(0));
  const auto chart = DemoChart(count, series);
  for (auto _ : state) {
    chart->Paint();
    benchmark::DoNotOptimize(chart->ScreenImage().Bits());
  }
  ReportPerItem(state, count);
}
BENCHMARK_CAPTURE(BM_Paint, NoisyLine, srNoisyLine)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paint, SmoothLine, srSmoothLine)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paint, Marks, srMarks)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Reading the same items: one field of each record, in list order.
void BM_ReadItems(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  const auto chart = DemoChart(count, srNoisyLine);
  const nox::TGfItemView& items = chart->DataItems();
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < chart->DataCount(); ++i) sum += items[static_cast<std::size_t>(i)].Y1;
    benchmark::DoNotOptimize(sum);
  }
  ReportPerItem(state, count);
}
BENCHMARK(BM_ReadItems)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A paint without items: frame, caption, axes, background, the copies.
void BM_PaintEmpty(benchmark::State& state) {
  const auto chart = DemoChart(0, srMarks);
  for (auto _ : state) {
    chart->Paint();
    benchmark::DoNotOptimize(chart->ScreenImage().Bits());
  }
}
BENCHMARK(BM_PaintEmpty)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
