#pragma once
// Painting with a 1-pixel solid pen in copy mode straight into an image, for drawing code that
// gathers many segments before painting (the chart's line-to runs). A line paints exactly the pixels
// of LineTo and of a Polyline segment (platform/raster_line.h): end pixel left out, clipped to the
// image as the whole line would paint there. Painting a pixel twice in copy mode is the same as
// painting it once, so such code may paint in any order and more than once.

#include <cstdint>

#include "platform/geometry.h"
#include "platform/raster_line.h"
#include "platform/raster_spans.h"

namespace nox::detail {

// The line from a to b without b.
inline void PaintSolidLine(const Surface& surface, std::uint32_t pixel, TPoint a, TPoint b) {
  LineWalk walk;
  if (!ClipLine(a.X, a.Y, b.X, b.Y, surface.width, surface.height, walk)) return;
  CopySink sink{surface, pixel};
  WalkLine(walk, DashPattern{}, 0, surface, sink);
}

// Rows y0 .. y1 (both included, y0 <= y1) of column x, as far as they lie in the image.
inline void PaintColumn(const Surface& surface, std::uint32_t pixel, int x, int y0, int y1) {
  if (x < 0 || x >= surface.width) return;
  if (y0 < 0) y0 = 0;
  if (y1 >= surface.height) y1 = surface.height - 1;
  if (y0 > y1) return;
  std::uint32_t* p = surface.At(x, y0);
  for (int n = y1 - y0; n >= 0; --n, p += surface.width) *p = pixel;
}

}  // namespace nox::detail
