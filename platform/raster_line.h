#pragma once
// The 1-pixel line: a walk along the major axis (the axis of the larger difference; x when both are
// equal), one pixel per step, from the start pixel up to but without the end pixel. At step i the
// minor coordinate is the start's plus i * (minor difference) / (major difference), rounded to the
// nearest integer; a tie goes to the larger minor coordinate (down for lines that step along x,
// right for lines that step along y), whichever way the line runs.
//
// ClipLine computes, without walking, the part of that walk that lies inside the image, so a line
// costs its visible pixels only, and the pixels it paints are exactly those the whole walk would
// paint inside the image.

#include <cstddef>
#include <cstdint>

#include "platform/raster_dash.h"
#include "platform/raster_spans.h"

namespace nox::detail {

struct LineWalk {
  int x = 0, y = 0;             // first visible pixel
  int count = 0;                // visible steps
  int majorX = 0, majorY = 0;   // move of every step
  int minorX = 0, minorY = 0;   // extra move when the error overflows
  std::int64_t error = 0;       // in [0, errorLimit)
  std::int64_t errorStep = 0;   // twice the minor difference
  std::int64_t errorLimit = 0;  // twice the major difference
  std::int64_t firstStep = 0;   // index of the first visible step in the whole walk
};

// Number of steps (pixels) of the whole line from (x0, y0) to (x1, y1).
constexpr std::int64_t LineSteps(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  const std::int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1;
  const std::int64_t dy = y1 > y0 ? y1 - y0 : y0 - y1;
  return dx > dy ? dx : dy;
}

// The visible part of the line in a width x height image; false when nothing of it is visible.
bool ClipLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int width, int height,
              LineWalk& walk);

// Paints the visible steps whose position along the pattern is on; step i of the whole line has the
// position phase + i. The walk steps a pointer through the image.
template <class Sink>
void WalkLine(const LineWalk& w, const DashPattern& dash, std::int64_t phase, const Surface& surface,
              Sink& sink) {
  std::uint32_t* p = surface.At(w.x, w.y);
  const std::ptrdiff_t major = w.majorX + static_cast<std::ptrdiff_t>(w.majorY) * surface.width;
  const std::ptrdiff_t minor = w.minorX + static_cast<std::ptrdiff_t>(w.minorY) * surface.width;
  std::int64_t e = w.error;
  // The pointer moves only between visible pixels, so it never leaves the image.
  if (dash.Solid()) {
    for (int n = w.count;;) {
      sink.Apply(p);
      if (--n == 0) break;
      e += w.errorStep;
      if (e >= w.errorLimit) {
        e -= w.errorLimit;
        p += minor;
      }
      p += major;
    }
    return;
  }
  const std::uint32_t cycle = CycleBits(dash);
  std::int64_t position = (phase + w.firstStep) % kPatternCycle;
  if (position < 0) position += kPatternCycle;
  for (int n = w.count;;) {
    if ((cycle >> position) & 1u) sink.Apply(p);
    if (--n == 0) break;
    if (++position == kPatternCycle) position = 0;
    e += w.errorStep;
    if (e >= w.errorLimit) {
      e -= w.errorLimit;
      p += minor;
    }
    p += major;
  }
}

}  // namespace nox::detail
