#pragma once
// Painting with a solid pen in copy mode straight into an image, for drawing code that gathers many
// segments before painting (the chart's line-to runs). A 1-pixel line paints exactly the pixels of
// LineTo and of a Polyline segment (platform/raster_line.h): end pixel left out, clipped to the
// image as the whole line would paint there; a wider line paints the round-capped stroke of a
// Polyline segment (platform/raster_stroke.h), both ends included. Painting a pixel twice in copy
// mode is the same as painting it once, so such code may paint in any order and more than once.

#include <cstdint>

#include "platform/geometry.h"
#include "platform/raster_line.h"
#include "platform/raster_spans.h"
#include "platform/raster_stroke.h"

namespace nox::detail {

// The line from a to b without b.
inline void PaintSolidLine(const Surface& surface, std::uint32_t pixel, TPoint a, TPoint b) {
  LineWalk walk;
  if (!ClipLine(a.X, a.Y, b.X, b.Y, surface.width, surface.height, walk)) return;
  CopySink sink{surface, pixel};
  WalkLine(walk, DashPattern{}, 0, surface, sink);
}

// The stroke from a to b of a pen `width` > 1 pixels wide.
inline void PaintWideLine(const Surface& surface, std::uint32_t pixel, TPoint a, TPoint b, int width) {
  const Capsule capsule(a.X, a.Y, b.X, b.Y, width);
  CopySink sink{surface, pixel};
  StrokeSegment(capsule, surface.width, surface.height, sink);
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
