// Two floors to hold the chart's paint against, measured in the same run on the same machine:
//
//  - ReadRecords: read one field of each of N 96-byte records, in order; what any renderer that
//    looks at every item of a record list pays for the memory traffic alone.
//  - MinMaxColumns: the least work that draws a long x-sorted series exactly enough to see: map
//    each 16-byte point (x, y) to a pixel column of a 354 x 305 plot area, keep each column's least
//    and greatest pixel row, then clear the plot area of a 429 x 365 image and fill one vertical
//    span per column.
//
// Both are plain loops over plain arrays; the data is the chart benchmarks' series
// (x = i, y = sin(0.04 i) * i / 30 + i / 10 + 40 * noise, fixed seed).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <vector>

namespace {

double SeriesY(std::size_t i, std::uint32_t& seed) {
  seed = seed * 134775813u + 1u;
  const double t = static_cast<double>(i);
  return std::sin(0.04 * t) * t / 30 + t / 10 + 40 * (seed / 4294967296.0);
}

struct TRecord {  // 96 bytes, the field read first
  double Y;
  double Rest[11];
};
static_assert(sizeof(TRecord) == 96);

struct TPoint {  // 16 bytes
  double X, Y;
};
static_assert(sizeof(TPoint) == 16);

const std::vector<TRecord>& Records(std::size_t count) {
  static std::map<std::size_t, std::vector<TRecord>> cache;
  std::vector<TRecord>& records = cache[count];
  if (records.empty()) {
    records.resize(count);
    std::uint32_t seed = 0;
    for (std::size_t i = 0; i < count; ++i) {
      records[i].Y = SeriesY(i + 1, seed);
      std::fill(std::begin(records[i].Rest), std::end(records[i].Rest), static_cast<double>(i));
    }
  }
  return records;
}

const std::vector<TPoint>& Points(std::size_t count) {
  static std::map<std::size_t, std::vector<TPoint>> cache;
  std::vector<TPoint>& points = cache[count];
  if (points.empty()) {
    points.resize(count);
    std::uint32_t seed = 0;
    for (std::size_t i = 0; i < count; ++i) points[i] = {static_cast<double>(i + 1), SeriesY(i + 1, seed)};
  }
  return points;
}

void BM_ReadRecords(benchmark::State& state) {
  const std::vector<TRecord>& records = Records(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    double sum = 0;
    for (const TRecord& r : records) sum += r.Y;
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ReadRecords)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The demo chart's image and plot area.
constexpr int kImageWidth = 429, kImageHeight = 365;
constexpr int kPlotLeft = 60, kPlotTop = 20, kPlotWidth = 429 - 60 - 15, kPlotHeight = 365 - 20 - 40;

void BM_MinMaxColumns(benchmark::State& state) {
  const std::vector<TPoint>& points = Points(static_cast<std::size_t>(state.range(0)));
  double yLow = 0, yHigh = 0;
  for (const TPoint& p : points) {
    yLow = std::min(yLow, p.Y);
    yHigh = std::max(yHigh, p.Y);
  }
  const double xLow = 0, xHigh = static_cast<double>(points.size());
  const double sx = kPlotWidth / (xHigh - xLow), sy = (kPlotHeight - 1) / (yHigh - yLow);
  std::vector<std::uint32_t> image(static_cast<std::size_t>(kImageWidth) * kImageHeight, 0xFFFFFFFFu);
  std::vector<double> least(kPlotWidth), greatest(kPlotWidth);
  constexpr double kNone = std::numeric_limits<double>::infinity();

  for (auto _ : state) {
    std::fill(least.begin(), least.end(), kNone);
    std::fill(greatest.begin(), greatest.end(), -kNone);
    // Runs of points in one column keep their extremes in registers; a run's end stores them, so
    // any order of points gives the same columns, and a sorted series stores once per column.
    const std::size_t n = points.size();
    std::size_t i = 0;
    while (i < n) {
      const int column = std::clamp(static_cast<int>((points[i].X - xLow) * sx), 0, kPlotWidth - 1);
      double lo = points[i].Y, hi = lo;
      for (++i; i < n; ++i) {
        if (std::clamp(static_cast<int>((points[i].X - xLow) * sx), 0, kPlotWidth - 1) != column) break;
        lo = std::min(lo, points[i].Y);
        hi = std::max(hi, points[i].Y);
      }
      least[static_cast<std::size_t>(column)] = std::min(least[static_cast<std::size_t>(column)], lo);
      greatest[static_cast<std::size_t>(column)] = std::max(greatest[static_cast<std::size_t>(column)], hi);
    }
    for (int row = 0; row < kPlotHeight; ++row) {
      std::uint32_t* line = image.data() + static_cast<std::size_t>(kPlotTop + row) * kImageWidth + kPlotLeft;
      std::fill(line, line + kPlotWidth, 0xFFF0F0F0u);
    }
    for (int c = 0; c < kPlotWidth; ++c) {
      const double lo = least[static_cast<std::size_t>(c)];
      if (lo == kNone) continue;
      // Pixel rows grow downwards: the greatest y is the top row of the span.
      const int top = static_cast<int>(std::lround((yHigh - greatest[static_cast<std::size_t>(c)]) * sy));
      const int bottom = static_cast<int>(std::lround((yHigh - lo) * sy));
      std::uint32_t* pixel = image.data() + static_cast<std::size_t>(kPlotTop + top) * kImageWidth + kPlotLeft + c;
      for (int row = top; row <= bottom; ++row, pixel += kImageWidth) *pixel = 0xFF000000u;
    }
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MinMaxColumns)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
