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

#include <cstdint>

#include "platform/raster_dash.h"

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
// position phase + i.
template <class Sink>
void WalkLine(const LineWalk& w, const DashPattern& dash, std::int64_t phase, Sink& sink) {
  int x = w.x, y = w.y;
  std::int64_t e = w.error;
  if (dash.Solid()) {
    for (int n = w.count; n > 0; --n) {
      sink.Pixel(x, y);
      e += w.errorStep;
      if (e >= w.errorLimit) {
        e -= w.errorLimit;
        x += w.minorX;
        y += w.minorY;
      }
      x += w.majorX;
      y += w.majorY;
    }
    return;
  }
  std::int64_t p = (phase + w.firstStep) % dash.period;
  if (p < 0) p += dash.period;
  for (int n = w.count; n > 0; --n) {
    if ((dash.bits >> p) & 1u) sink.Pixel(x, y);
    if (++p == dash.period) p = 0;
    e += w.errorStep;
    if (e >= w.errorLimit) {
      e -= w.errorLimit;
      x += w.minorX;
      y += w.minorY;
    }
    x += w.majorX;
    y += w.majorY;
  }
}

}  // namespace nox::detail
