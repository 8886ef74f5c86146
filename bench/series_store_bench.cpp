// The series store on its own (chart/series_store.h): appending a long line-to series point by
// point (the chart's per-item path) and in one call (x and y arrays, or y with evenly spaced x),
// with the memory that takes; reading it back through a cursor; removing the oldest items; and the
// step of a scrolling live view (bench::kStreamKept points kept, bench::kStreamFramePoints appended
// and as many removed).
//
// The series is bench/speed_workload.h's, a start point at (0, 0) and then x = i, so the figures
// stand beside chart_speed_bench's BM_AppendLineTo (the chart's records) and the QCustomPlot peer's
// BM_Append (addData per point, setData in bulk), which take the allocator as it comes (the cold
// rows here). Memory is counted as those count it: the growth of the allocator's bytes in use while
// the store is made and filled.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "bench/speed_workload.h"
#include "chart/model/series_store.h"

namespace {

using nox::detail::TPointPen;
using nox::detail::TSeriesCursor;
using nox::detail::TSeriesStore;

constexpr int kAllocSize = 1000;  // the chart's AllocSize after construction
// The chart's pen after construction: black, fill $C0C0C0, solid, 1 pixel, layer 1.
constexpr TPointPen kPen{.Color = 0, .FillColor = 0xC0C0C0, .LineWidth = 1, .Layer = 1};

// The series' points 0 .. count: x and y.
struct TSeries {
  std::vector<double> X, Y;
};
const TSeries& Series(long long count) {
  static std::map<long long, TSeries> made;
  TSeries& series = made[count];
  if (series.Y.empty()) {
    bench::TNoise noise;
    series.X.push_back(0);
    series.Y.push_back(0);
    for (long long i = 1; i <= count; ++i) {
      series.X.push_back(static_cast<double>(i));
      series.Y.push_back(bench::SeriesY(i, noise));
    }
  }
  return series;
}

void Fill(TSeriesStore& store, const TSeries& series) {
  store.AppendPoints(nox::ikMoveTo, nox::ikLineTo, kPen, series.X, series.Y, kAllocSize);
}

// Time per point is the iteration's time over `items`; also given as a rate (seconds per item).
void CountItems(benchmark::State& state, double items) {
  state.counters["items"] = items;
  state.counters["per_item"] =
      benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Fresh memory costs a page fault per page when first touched, which on a busy virtual machine
// outweighs the work of appending many times over. Warm rows ask the allocator to keep what is
// freed (no trimming, no separately mapped blocks) and fill a store once before they measure, so
// that every run refills the same pages; cold rows take the allocator as it comes. BM_FirstTouch is the floor of a cold row:
// writing as many bytes of fresh memory.
void KeepFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest allowed: a store allocates far smaller blocks
  mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
}

enum TAppendForm { afPerPoint, afArrays, afEvenX };

void BM_StoreAppend(benchmark::State& state, TAppendForm form, bool warm) {
  const TSeries& series = Series(state.range(0));
  if (warm) {
    KeepFreedMemory();
    TSeriesStore first;  // touches the pages the runs reuse
    Fill(first, series);
  }
  const std::size_t n = series.Y.size();
  double bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::size_t before = bench::BytesInUse();
    auto store = std::make_unique<TSeriesStore>();
    state.ResumeTiming();
    switch (form) {
      case afPerPoint:
        store->AppendPoint(nox::ikMoveTo, kPen, series.X[0], series.Y[0], kAllocSize);
        for (std::size_t i = 1; i < n; ++i) store->AppendPoint(nox::ikLineTo, kPen, series.X[i], series.Y[i], kAllocSize);
        break;
      case afArrays:
        Fill(*store, series);
        break;
      case afEvenX:
        store->AppendPoints(nox::ikMoveTo, nox::ikLineTo, kPen, 0, 1, series.Y, kAllocSize);
        break;
    }
    benchmark::DoNotOptimize(store->Count());
    state.PauseTiming();
    bytes = static_cast<double>(bench::BytesInUse() - before);
    store.reset();
    state.ResumeTiming();
  }
  CountItems(state, static_cast<double>(n));
  state.counters["bytes_per_item"] = bytes / static_cast<double>(n);
}
void AtLargeSizes(benchmark::internal::Benchmark* b) {
  b->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
}
// Cold rows first: the warm ones change the allocator for the rest of the program.
BENCHMARK_CAPTURE(BM_StoreAppend, PerPoint/cold, afPerPoint, false)->Apply(AtLargeSizes);
BENCHMARK_CAPTURE(BM_StoreAppend, Arrays/cold, afArrays, false)->Apply(AtLargeSizes);
BENCHMARK_CAPTURE(BM_StoreAppend, EvenX/cold, afEvenX, false)->Apply(AtLargeSizes);

// Writing 21 bytes a point (what the store holds) of fresh memory.
void BM_FirstTouch(benchmark::State& state) {
  const auto bytes = static_cast<std::size_t>(state.range(0)) * 21;
  for (auto _ : state) {
    auto* memory = static_cast<char*>(std::malloc(bytes));
    std::memset(memory, 1, bytes);
    benchmark::DoNotOptimize(memory);
    benchmark::ClobberMemory();
    std::free(memory);
  }
  CountItems(state, static_cast<double>(state.range(0)));
}
BENCHMARK(BM_FirstTouch)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_StoreAppend, PerPoint/warm, afPerPoint, true)->Apply(AtLargeSizes);
BENCHMARK_CAPTURE(BM_StoreAppend, Arrays/warm, afArrays, true)->Apply(AtLargeSizes);
BENCHMARK_CAPTURE(BM_StoreAppend, EvenX/warm, afEvenX, true)->Apply(AtLargeSizes);

// A store of the series, made once per size.
const TSeriesStore& FilledStore(long long count) {
  static std::map<long long, TSeriesStore> made;
  TSeriesStore& store = made[count];
  if (store.Count() == 0) Fill(store, Series(count));
  return store;
}

// Reading every item front to back: its point (what a renderer needs) or its whole record.
void BM_StoreRead(benchmark::State& state, bool records) {
  const TSeriesStore& store = FilledStore(state.range(0));
  for (auto _ : state) {
    double sum = 0;
    for (TSeriesCursor c(store, 0); !c.AtEnd(); c.Next()) sum += records ? c.Item().Y1 : c.Y();
    benchmark::DoNotOptimize(sum);
  }
  CountItems(state, store.Count());
}
BENCHMARK_CAPTURE(BM_StoreRead, Points, false)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StoreRead, Records, true)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Removing the oldest range(1) items of a store of range(0) (put back, untimed, for the next
// round): the time follows what is removed, not what stays.
void BM_StoreRemoveOldest(benchmark::State& state) {
  TSeriesStore store;
  Fill(store, Series(state.range(0)));
  const auto n = static_cast<std::size_t>(state.range(1));
  const std::vector<double> ys(n, 1.0);
  for (auto _ : state) {
    store.RemoveOldest(n);
    state.PauseTiming();
    store.AppendPoints(nox::ikLineTo, nox::ikLineTo, kPen, 0, 1, ys, kAllocSize);
    state.ResumeTiming();
  }
  CountItems(state, static_cast<double>(n));
}
BENCHMARK(BM_StoreRemoveOldest)
    ->Args({1'000'000, 16'000})
    ->Args({10'000'000, 16'000})
    ->Args({10'000'000, 1'000'000})
    ->Unit(benchmark::kMicrosecond);

// One frame of a scrolling live view, on the store: the frame's new points of the series appended
// (in one call, or point by point as a signal arrives) and as many of the oldest removed. The view
// keeps scrolling across runs.
void BM_StoreStreamingStep(benchmark::State& state, bool perPoint) {
  static TSeriesStore store;
  static bench::TNoise noise;
  static long long last = 0;  // the newest point
  if (store.Count() == 0) {
    const TSeries& series = Series(bench::kStreamKept - 1);
    Fill(store, series);
    last = bench::kStreamKept - 1;
  }
  std::vector<double> xs(bench::kStreamFramePoints), ys(bench::kStreamFramePoints);
  for (auto _ : state) {
    state.PauseTiming();
    for (std::size_t k = 0; k < xs.size(); ++k) {
      xs[k] = static_cast<double>(++last);
      ys[k] = bench::SeriesY(last, noise);
    }
    state.ResumeTiming();
    if (perPoint) {
      for (std::size_t k = 0; k < xs.size(); ++k) store.AppendPoint(nox::ikLineTo, kPen, xs[k], ys[k], kAllocSize);
    } else {
      store.AppendPoints(nox::ikLineTo, nox::ikLineTo, kPen, xs, ys, kAllocSize);
    }
    store.RemoveOldest(xs.size());
  }
  state.counters["points_kept"] = store.Count();
}
BENCHMARK_CAPTURE(BM_StoreStreamingStep, Bulk, false)
    ->Iterations(bench::kStreamFramesPerRun)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StoreStreamingStep, PerPoint, true)
    ->Iterations(bench::kStreamFramesPerRun)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
