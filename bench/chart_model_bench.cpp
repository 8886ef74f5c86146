// The chart model's hot paths: filling the display list, and the range-update path that every
// gesture goes through.

#include <benchmark/benchmark.h>

#include "chart/Nox_grafon.h"

namespace {

// Appending line-to items: what feeding a long series costs per item, in time and in memory.
void BM_AppendLineTo(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto chart = std::make_unique<nox::TGrafon>(nullptr);
    state.ResumeTiming();
    for (int i = 0; i < count; ++i) chart->LineToPoint(i, 0.5 * i);
    benchmark::DoNotOptimize(chart->DataCount());
    state.PauseTiming();
    state.counters["bytes_per_item"] =
        static_cast<double>(chart->DataItems().AllocatedBytes()) / count;
    chart.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["ns_per_item"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * count,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AppendLineTo)->Arg(100'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// SetLayerRange on a chart whose 16 layers all follow layer 1: one call re-applies every layer.
void BM_SetLayerRangeAllJoined(benchmark::State& state) {
  nox::TGrafon chart(nullptr);
  for (int l = 2; l <= nox::kLayerCount; ++l) {
    chart.JointLayers().SetXControlledBy(l, 1);
    chart.JointLayers().SetYControlledBy(l, 1);
  }
  const int layer = static_cast<int>(state.range(0));
  double shift = 0;
  for (auto _ : state) {
    shift += 1e-3;
    chart.SetLayerRange(layer, shift, shift, 10 + shift, 10 + shift);
  }
  benchmark::DoNotOptimize(chart.Scale1X().RangeLow());
}
BENCHMARK(BM_SetLayerRangeAllJoined)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The same for a chart without joins, layer 1 only: the cost of one trip along the path.
void BM_SetLayerRangeOneLayer(benchmark::State& state) {
  nox::TGrafon chart(nullptr);
  double shift = 0;
  for (auto _ : state) {
    shift += 1e-3;
    chart.SetLayerRange(1, shift, shift, 10 + shift, 10 + shift);
  }
  benchmark::DoNotOptimize(chart.Scale1X().RangeLow());
}
BENCHMARK(BM_SetLayerRangeOneLayer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
