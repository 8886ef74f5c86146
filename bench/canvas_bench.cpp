// Speed of the raster canvas on the work a chart repaint does: long data polylines drawn in chunks
// of 200 points, filling the chart area, lines far outside it, small marks and big figures.
// Run from a Release build: build/release/bench/canvas_bench

#include <benchmark/benchmark.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace {

using nox::TBitmap;
using nox::TPoint;

constexpr int kWidth = 429, kHeight = 365;
constexpr int kPoints = 1000000;
constexpr int kChunk = 200;  // the chart's polyline buffer

// A noisy, growing oscillation across the bitmap: x = i * 429 / N, y = 180 + sin(0.04 i) i / 30 k
// + noise, with k chosen so that the swing reaches about 150 pixels.
const std::vector<TPoint>& Series() {
  static const std::vector<TPoint> points = [] {
    std::vector<TPoint> p(kPoints);
    const double k = 150.0 * 30.0 / kPoints;
    std::uint32_t seed = 12345;
    for (int i = 0; i < kPoints; ++i) {
      seed = seed * 1103515245u + 12345u;
      const double noise = static_cast<double>((seed >> 16) % 21) - 10.0;
      p[static_cast<std::size_t>(i)] = {
          static_cast<int>(static_cast<long long>(i) * kWidth / kPoints),
          static_cast<int>(std::lround(180 + std::sin(0.04 * i) * i / 30.0 * k + noise))};
    }
    return p;
  }();
  return points;
}

// Draws the series the way the chart flushes its buffer: polylines of up to 200 points, each
// starting at the last point of the one before.
void DrawSeries(nox::TCanvas& canvas, const std::vector<TPoint>& points) {
  for (std::size_t start = 0; start + 1 < points.size(); start += kChunk - 1) {
    const std::size_t count = std::min<std::size_t>(kChunk, points.size() - start);
    canvas.Polyline(std::span<const TPoint>(points.data() + start, count));
  }
}

void SeriesBenchmark(benchmark::State& state, nox::TPenStyle style, int width, nox::TPenMode mode) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetStyle(style);
  canvas.Pen().SetWidth(width);
  canvas.Pen().SetMode(mode);
  const auto& points = Series();
  for (auto _ : state) {
    DrawSeries(canvas, points);
    benchmark::DoNotOptimize(bitmap.Bits());
    benchmark::ClobberMemory();
  }
  state.counters["per_point"] = benchmark::Counter(
      kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_PolylineSeries(benchmark::State& state) { SeriesBenchmark(state, nox::psSolid, 1, nox::pmCopy); }
void BM_PolylineSeriesXor(benchmark::State& state) { SeriesBenchmark(state, nox::psSolid, 1, nox::pmXor); }
void BM_PolylineSeriesDashed(benchmark::State& state) { SeriesBenchmark(state, nox::psDash, 1, nox::pmCopy); }
void BM_PolylineSeriesWidth3(benchmark::State& state) {
  SeriesBenchmark(state, nox::psSolid, 3, nox::pmCopy);
}

// The same points as separate MoveTo / LineTo calls: the cost of one call per short segment.
void BM_LineToSegments(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  const auto& points = Series();
  for (auto _ : state) {
    canvas.MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i) canvas.LineTo(points[i].X, points[i].Y);
    benchmark::DoNotOptimize(bitmap.Bits());
  }
  state.counters["per_segment"] = benchmark::Counter(
      kPoints - 1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FillRect(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(nox::clSilver);
  for (auto _ : state) {
    canvas.FillRect({0, 0, kWidth, kHeight});
    benchmark::DoNotOptimize(bitmap.Bits());
    benchmark::ClobberMemory();
  }
  state.counters["per_pixel"] = benchmark::Counter(
      kWidth * kHeight, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Lines whose ends lie far outside: missing the bitmap entirely, and crossing it from +-2^31.
void BM_FarLinesMissing(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  int k = 0;
  for (auto _ : state) {
    canvas.MoveTo(-INT_MAX, -30000 - k);
    canvas.LineTo(INT_MAX, -1000000 + k);
    k = (k + 1) & 1023;
  }
}

void BM_FarLinesCrossing(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  int k = 0;
  for (auto _ : state) {
    canvas.MoveTo(-INT_MAX, -INT_MAX + k);
    canvas.LineTo(INT_MAX, INT_MAX - 3 * k);
    k = (k + 1) & 1023;
    benchmark::DoNotOptimize(bitmap.Bits());
  }
}

void BM_FarLinesCrossingClamped(benchmark::State& state) {
  // The chart limits item pixels to +-30000 before drawing.
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  int k = 0;
  for (auto _ : state) {
    canvas.MoveTo(-30000, -30000 + k);
    canvas.LineTo(30000, 30000 - 3 * k);
    k = (k + 1) & 1023;
    benchmark::DoNotOptimize(bitmap.Bits());
  }
}

// A mark-sized figure, as the chart draws one per data point.
void BM_SmallEllipse(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  int k = 0;
  for (auto _ : state) {
    canvas.Ellipse(100 + k, 100, 107 + k, 107);
    k = (k + 1) & 127;
  }
}

void BM_SmallPolygon(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  int k = 0;
  for (auto _ : state) {
    const TPoint diamond[] = {{100 + k, 103}, {103 + k, 106}, {106 + k, 103}, {103 + k, 100}};
    canvas.Polygon(diamond);
    k = (k + 1) & 127;
  }
}

void BM_BigEllipse(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  for (auto _ : state) {
    canvas.Ellipse(10, 10, kWidth - 10, kHeight - 10);
    benchmark::DoNotOptimize(bitmap.Bits());
  }
}

// An ellipse of the whole int range: only the bitmap's rows are computed.
void BM_HugeEllipse(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight);
  nox::TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(nox::bsClear);
  for (auto _ : state) {
    canvas.Ellipse(-INT_MAX, 5, INT_MAX, INT_MAX);
    benchmark::DoNotOptimize(bitmap.Bits());
  }
}

}  // namespace

BENCHMARK(BM_PolylineSeries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolylineSeriesXor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolylineSeriesDashed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolylineSeriesWidth3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineToSegments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRect)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FarLinesMissing);
BENCHMARK(BM_FarLinesCrossing);
BENCHMARK(BM_FarLinesCrossingClamped);
BENCHMARK(BM_SmallEllipse);
BENCHMARK(BM_SmallPolygon);
BENCHMARK(BM_BigEllipse)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HugeEllipse)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
