#pragma once
// A polyline of a 1-pixel pen in the bitmap's own pixels: its segments walked one after another
// (platform/raster_line.h), each without its end pixel, the pattern moving on by each segment's
// steps from position 0 at the first point. The pixels are those of drawing the segments one by one
// with LineTo's walk and clipping; this loop only leaves out what costs most per segment when
// segments are a few pixels long: a segment with both ends inside the image is walked without
// clipping, and the pattern is read from a mask over its whole cycle, so no step divides.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/geometry.h"
#include "platform/raster_dash.h"
#include "platform/raster_line.h"
#include "platform/raster_spans.h"

namespace nox::detail {

template <class Sink>
void ThinPolyline(const Surface& surface, const DashPattern& dash, std::span<const TPoint> points, Sink& sink) {
  const std::uint32_t cycle = CycleBits(dash);
  const auto inside = [&](TPoint p) {
    return static_cast<unsigned>(p.X) < static_cast<unsigned>(surface.width) &&
           static_cast<unsigned>(p.Y) < static_cast<unsigned>(surface.height);
  };
  int phase = 0;  // the pattern position of the segment's first step, 0 .. kPatternCycle - 1
  for (std::size_t i = 1; i < points.size(); ++i) {
    const TPoint a = points[i - 1], b = points[i];
    const std::int64_t steps = LineSteps(a.X, a.Y, b.X, b.Y);
    if (steps == 0) continue;
    if (inside(a) && inside(b)) {
      // The walk of raster_line.h from its first step: along the major axis, the minor one moving
      // when the error passes twice the major difference; the error starts at L - t.
      const int dx = b.X - a.X, dy = b.Y - a.Y;
      const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
      const bool xMajor = adx >= ady;
      const int L = xMajor ? adx : ady, D = xMajor ? ady : adx;
      const std::ptrdiff_t stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -surface.width : surface.width;
      const std::ptrdiff_t major = xMajor ? stepX : stepY, minor = xMajor ? stepY : stepX;
      const bool minorGrows = xMajor ? dy >= 0 : dx >= 0;
      int error = L - (minorGrows ? 0 : 1);
      std::uint32_t* p = surface.At(a.X, a.Y);
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
    } else {
      LineWalk walk;
      if (ClipLine(a.X, a.Y, b.X, b.Y, surface.width, surface.height, walk)) WalkLine(walk, dash, phase, surface, sink);
    }
    phase = static_cast<int>((phase + steps) % kPatternCycle);
  }
}

}  // namespace nox::detail
