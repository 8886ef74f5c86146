#pragma once
// A polyline of a 1-pixel pen in the bitmap's own pixels: its segments walked one after another
// (platform/raster_line.h), each without its end pixel, the pattern moving on by each segment's
// steps from a given position at the first point (0 for a polyline of its own). The pixels are those of drawing the segments one by one
// with LineTo's walk and clipping; this loop only leaves out what costs most per segment when
// segments are a few pixels long: a segment with both ends inside the image is walked without
// clipping, the pattern is read from a mask over its whole cycle, so no step divides, and a short
// vertical segment (a dense series' usual one) takes the bits of its stretch of that mask at once:
// a copy pen gathers them per column (TColumnRows), those of consecutive such segments inside the
// image in one loop, and other sinks paint them.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>

#include "platform/geometry.h"
#include "platform/raster_dash.h"
#include "platform/raster_line.h"
#include "platform/raster_spans.h"

namespace nox::detail {

// The rows that the short vertical segments of a copy pen paint in one column, kept as bits and
// written when the polyline moves to another column or ends: pixels set to one colour give the
// same image in any order.
class TColumnRows {
 public:
  static constexpr int kMaxRows = 2048;  // taller images paint each segment at once

  // Makes x the column gathered, writing the one gathered before.
  void Seat(const Surface& surface, std::uint32_t pixel, int x) {
    if (x != m_column) Flush(surface, pixel);
    m_column = x;
  }
  // Gathers the rows of the segments from points[from - 1] on while they go straight up or down
  // the column, each by at most kPatternCycle rows, between rows inside the image (height rows, at
  // most kMaxRows; the first segment does): the pattern (cycles, and reversed, as in ThinPolyline)
  // at position phase at the first point, moving on by each segment's steps. Returns the index of
  // the last point taken, and leaves phase at that point.
  std::size_t Gather(std::span<const TPoint> points, std::size_t from, int height, std::uint64_t cycles,
                     std::uint64_t reversed, int& phase) {
    // One loop that picks each segment's direction without a branch. The rows gather in a window
    // of 64 rows from `base` held in a register, moved where the next segment's rows fall outside
    // it, so that the way on lies inside: segments a few rows long move it seldom. A segment's
    // rows, first .. first + kPatternCycle - 1 at most, fit from first - base <= kMargin.
    constexpr int kMargin = 64 - kPatternCycle;
    const int x = m_column;
    int y = points[from - 1].Y, base = std::max(y - kMargin / 2, 0), position = phase;
    std::uint64_t window = 0;
    std::size_t i = from;
    for (; i < points.size(); ++i) {
      const TPoint p = points[i];
      if ((p.X != x) | (static_cast<unsigned>(p.Y) >= static_cast<unsigned>(height))) break;
      const int d = p.Y - y, ad = d < 0 ? -d : d;  // both rows inside the image: no overflow
      if (ad > kPatternCycle) break;
      // Downwards rows y .. p.Y - 1 from the position on, upwards rows p.Y + 1 .. y from the
      // position back; chosen with masks, as a branch on the direction of a noisy series is
      // mispredicted half the time.
      const std::uint64_t steps = (std::uint64_t{1} << ad) - 1;
      const std::uint64_t down = (cycles >> position) & steps;
      const std::uint64_t up = (reversed >> (2 * kPatternCycle - position - ad)) & steps;
      const int upward = d >> 31;  // all bits set when the segment goes up
      const int first = y + ((p.Y + 1 - y) & upward);
      if (static_cast<unsigned>(first - base) > static_cast<unsigned>(kMargin)) [[unlikely]] {
        Or(base, window);
        window = 0;
        base = std::max(first < base ? first - kMargin : first, 0);
      }
      window |= (down ^ ((down ^ up) & static_cast<std::uint64_t>(std::int64_t{upward}))) << (first - base);
      position += ad;
      position -= position >= kPatternCycle ? kPatternCycle : 0;
      y = p.Y;
    }
    Or(base, window);
    phase = position;
    return i - 1;
  }
  void Flush(const Surface& surface, std::uint32_t pixel) {
    for (int word = m_low; word <= m_high; ++word) {
      std::uint64_t& bits = m_words[static_cast<std::size_t>(word)];
      for (; bits != 0; bits &= bits - 1) *surface.At(m_column, word * 64 + std::countr_zero(bits)) = pixel;
    }
    m_low = kWords;
    m_high = -1;
  }

 private:
  static constexpr int kWords = kMaxRows / 64 + 1;
  // Rows first .. first + 63 where `bits` (bit 0 for `first`) are set (0 <= first < kMaxRows; no
  // row at or past kMaxRows).
  void Or(int first, std::uint64_t bits) {
    const int word = first >> 6, shift = first & 63;
    m_words[static_cast<std::size_t>(word)] |= bits << shift;
    m_words[static_cast<std::size_t>(word) + 1] |= (bits >> 1) >> (63 - shift);
    m_low = std::min(m_low, word);
    m_high = std::max(m_high, word + 1);
  }

  std::array<std::uint64_t, kWords> m_words{};
  int m_column = 0;
  int m_low = kWords, m_high = -1;  // the words that may hold bits
};

// The bits of v in reverse order (bit 63 - i is bit i of v), in six swaps of ever smaller halves:
// a polyline of a dense series is drawn in many short batches, each of which needs its pattern
// read backwards.
constexpr std::uint64_t ReversedBits(std::uint64_t v) {
  v = (v >> 32) | (v << 32);
  v = ((v >> 16) & 0x0000FFFF0000FFFFull) | ((v & 0x0000FFFF0000FFFFull) << 16);
  v = ((v >> 8) & 0x00FF00FF00FF00FFull) | ((v & 0x00FF00FF00FF00FFull) << 8);
  v = ((v >> 4) & 0x0F0F0F0F0F0F0F0Full) | ((v & 0x0F0F0F0F0F0F0F0Full) << 4);
  v = ((v >> 2) & 0x3333333333333333ull) | ((v & 0x3333333333333333ull) << 2);
  return ((v >> 1) & 0x5555555555555555ull) | ((v & 0x5555555555555555ull) << 1);
}
static_assert(ReversedBits(1) == std::uint64_t{1} << 63 && ReversedBits(0x8421) == 0x8421ull << 48,
              "bit 63 - i of the result is bit i of the value");

// Draws the polyline with the pattern at position `phase` (0 .. kPatternCycle - 1) at its first
// point; returns the position at its last.
template <class Sink>
int ThinPolyline(const Surface& surface, const DashPattern& dash, std::span<const TPoint> points, Sink& sink,
                 int phase = 0) {
  const std::uint32_t cycle = CycleBits(dash);
  // The cycle twice over: bits phase .. phase + kPatternCycle - 1 are the positions from phase on.
  const std::uint64_t cycles = cycle | std::uint64_t{cycle} << kPatternCycle;
  // The same read backwards: bit 2 * kPatternCycle - 1 - i is bit i of cycles.
  const std::uint64_t reversed = ReversedBits(cycles) >> (64 - 2 * kPatternCycle);
  // A copy pen on an image of at most kMaxRows rows gathers its short vertical segments per column.
  std::optional<TColumnRows> rows;
  if constexpr (std::is_same_v<Sink, CopySink>) {
    if (surface.height <= TColumnRows::kMaxRows) rows.emplace();
  }
  const auto inside = [&](TPoint p) {
    return static_cast<unsigned>(p.X) < static_cast<unsigned>(surface.width) &&
           static_cast<unsigned>(p.Y) < static_cast<unsigned>(surface.height);
  };
  // phase: the pattern position of the segment's first step, 0 .. kPatternCycle - 1
  // Moves the phase on by a number of steps whose remainder is taken off the chain of phases.
  const auto advance = [&phase](int stepsModCycle) {
    phase += stepsModCycle;
    phase -= phase >= kPatternCycle ? kPatternCycle : 0;
  };
  for (std::size_t i = 1; i < points.size(); ++i) {
    const TPoint a = points[i - 1], b = points[i];
    if (!inside(a) || !inside(b)) {
      const std::int64_t steps = LineSteps(a.X, a.Y, b.X, b.Y);
      LineWalk walk;
      if (steps != 0 && ClipLine(a.X, a.Y, b.X, b.Y, surface.width, surface.height, walk))
        WalkLine(walk, dash, phase, surface, sink);
      advance(static_cast<int>(steps % kPatternCycle));
      continue;
    }
    const int dx = b.X - a.X, dy = b.Y - a.Y;
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) continue;
    std::uint32_t* const start = surface.At(a.X, a.Y);
    const std::ptrdiff_t stepY = dy < 0 ? -surface.width : surface.width;
    if (dx == 0 && ady <= kPatternCycle) {
      // Steps 0 .. ady - 1 down or up the column, painted where their pattern bit is set.
      const std::uint64_t mask = (std::uint64_t{1} << ady) - 1;
      if constexpr (std::is_same_v<Sink, CopySink>) {
        if (rows) {
          // This segment and the short vertical ones inside the image that follow it in its column.
          rows->Seat(surface, sink.pixel, a.X);
          i = rows->Gather(points, i, surface.height, cycles, reversed, phase);
          continue;
        }
      }
      for (std::uint64_t on = (cycles >> phase) & mask; on != 0; on &= on - 1)
        sink.Apply(start + std::countr_zero(on) * stepY);
      advance(ady);
      continue;
    }
    // The walk of raster_line.h from its first step: along the major axis, the minor one moving
    // when the error passes twice the major difference; the error starts at L - t.
    const bool xMajor = adx >= ady;
    const int L = xMajor ? adx : ady, D = xMajor ? ady : adx;
    const std::ptrdiff_t stepX = dx < 0 ? -1 : 1;
    const std::ptrdiff_t major = xMajor ? stepX : stepY, minor = xMajor ? stepY : stepX;
    const bool minorGrows = xMajor ? dy >= 0 : dx >= 0;
    int error = L - (minorGrows ? 0 : 1);
    std::uint32_t* p = start;
    int position = phase;
    for (int n = L;;) {
      if ((cycle >> position) & 1u) sink.Apply(p);
      if (--n == 0) break;
      if (++position == kPatternCycle) position = 0;
      error += 2 * D;
      if (error >= 2 * L) {
        error -= 2 * L;
        p += minor;
      }
      p += major;
    }
    advance(L % kPatternCycle);
  }
  if constexpr (std::is_same_v<Sink, CopySink>) {
    if (rows) rows->Flush(surface, sink.pixel);
  }
  return phase;
}

}  // namespace nox::detail
