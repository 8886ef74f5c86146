#pragma once
// Plain, per-pixel statements of the canvas's pixel rules, for checking the fast rasterisers.
// Each one decides a single pixel from the definition, with no clipping, stepping or caching;
// they are slow and meant for small figures.

#include <cstdint>
#include <span>

#include "platform/bitmap.h"
#include "platform/geometry.h"

namespace nox::test {

// Paints the 1-pixel line from (x0, y0) to (x1, y1) without its end pixel by the rounding rule,
// step by step from the start (pixels outside the bitmap are skipped). Pattern bit i of `pattern`
// (period `period`, 0 for solid) decides step i. Returns the number of steps.
std::int64_t ReferenceLine(TBitmap& bitmap, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                           std::int64_t y1, TColor color, std::uint32_t pattern = 0, int period = 0);

// Whether pixel (x, y) lies in the ellipse region of the box left .. right - 1, top .. bottom - 1.
bool ReferenceEllipseInside(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                            std::int64_t x, std::int64_t y);
// Whether pixel (x, y) is on that region's outline: inside, with a 4-neighbour outside.
bool ReferenceEllipseOutline(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                             std::int64_t x, std::int64_t y);

// Whether pixel (x, y) is inside the polygon by the even-odd rule, the vertices naming pixel centres
// (top and left edges inside, bottom and right edges outside; a centre on a slanted edge belongs to
// the inside to its right).
bool ReferencePolygonInside(std::span<const TPoint> points, int x, int y);

// Whether pixel (x, y) is covered by a pen of the given width (> 1) drawn from a to b: its sample
// point (centre, moved by half a pixel right and down for even widths) closer than width / 2 to
// the segment.
bool ReferenceStrokeCovers(TPoint a, TPoint b, int width, int x, int y);

}  // namespace nox::test
