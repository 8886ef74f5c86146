// The workload the chart's speed bench and its peer program share, so that both draw the same data
// into the same chart and count memory alike: the demo-sized chart, the series, the pan drag, the
// streaming frame and the allocator's bytes in use.
//
// The series: x = i, y = sin(0.04 i) * i / 30 + i / 10 + 40 * noise for i = 1 .. N (noise uniform in
// [0, 1) from a fixed-seed generator), after a point at (0, 0).
#pragma once

#include <malloc.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace bench {

// The demo's chart: control size and the margins round its chart area, pixels.
constexpr int kChartWidth = 429;
constexpr int kChartHeight = 365;
constexpr int kMarginLeft = 60;
constexpr int kMarginRight = 15;
constexpr int kMarginTop = 20;
constexpr int kMarginBottom = 40;

// The numbers of points of the side-by-side rows.
constexpr int kSizes[] = {100'000, 1'000'000, 10'000'000};

// What a paint row draws: the series' points 1 .. N, as line runs (each from a start point at x = 0)
// or as marks.
enum TSeries : std::uint8_t {
  srLine,           // one line run, 1-pixel solid pen
  srLogLine,        // the same shifted up by 1, on a logarithmic Y axis
  srWideLine,       // 2-pixel solid pen
  srDashedLine,     // dashed 1-pixel pen
  srDots,           // a one-pixel mark at each point
  srMarks,          // a 3 x 3 diagonal cross at each point
  srFourSeries,     // the points dealt in turn to 4 line runs in 4 colours
  srSixteenSeries,  // ... to 16 runs in the same 4 colours
};
constexpr int RunCount(TSeries s) { return s == srFourSeries ? 4 : s == srSixteenSeries ? 16 : 1; }
constexpr bool IsMarks(TSeries s) { return s == srDots || s == srMarks; }
// Added to every y (the runs' start at 0 included), so the logarithmic axis sees positive values.
constexpr double YShift(TSeries s) { return s == srLogLine ? 1 : 0; }

// The colours of the line runs, as 0xRRGGBB, taken in turn: black, red, green, blue.
constexpr std::uint32_t kSeriesColours[] = {0x000000, 0xFF0000, 0x008000, 0x0000FF};

// The scrolling live view: points kept, points appended (and as many dropped) per frame, and the
// frames of one measured run, enough that work done every so many frames (growing or compacting
// the storage) is averaged in.
constexpr int kStreamKept = 10'000'000;
constexpr int kStreamFramePoints = 16'000;
constexpr int kStreamFramesPerRun = 100;

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

// The i-th point's y; the calls must come in order of i (each takes the next noise value).
inline double SeriesY(long long i, TNoise& noise) {
  const double t = static_cast<double>(i);
  return std::sin(0.04 * t) * t / 30 + t / 10 + 40 * noise.Next();
}

// A y range that holds every point of the series with first <= i <= last (sin(.) * t / 30 + t / 10
// lies within t / 15 .. 2 t / 15, the noise adds 0 .. 40): the streaming view's y range, which
// follows the data without a pass over it.
struct TYEnvelope {
  double Low, High;
};
inline TYEnvelope SeriesEnvelope(long long first, long long last) {
  return {static_cast<double>(first) / 15, static_cast<double>(last) * 2 / 15 + 40};
}

// The pan drag's offset in pixels at a step: 20 steps of 2 pixels one way and 20 back, so the view
// stays over the series.
inline int PanOffset(long long step) {
  const long long phase = step % 40;
  return 2 * static_cast<int>(phase < 20 ? phase + 1 : 39 - phase);
}

// Bytes the allocator has handed out and not taken back (small blocks and mapped ones).
inline std::size_t BytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

}  // namespace bench
