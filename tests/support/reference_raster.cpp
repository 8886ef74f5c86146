#include "support/reference_raster.h"

#include <algorithm>
#include <cstdlib>

namespace nox::test {

namespace {
__extension__ using Int128 = __int128;

// floor(n / d) for d > 0.
Int128 FloorDiv(Int128 n, Int128 d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
}  // namespace

std::int64_t ReferenceLine(TBitmap& bitmap, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                           std::int64_t y1, TColor color, std::uint32_t pattern, int period) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t minorDiff = xMajor ? dy : dx;
  const int direction = (xMajor ? dx : dy) < 0 ? -1 : 1;
  // Only the steps whose major coordinate is inside the bitmap can paint; the rest are skipped
  // so that lines of any length stay cheap.
  const std::int64_t start = xMajor ? x0 : y0, extent = xMajor ? bitmap.Width() : bitmap.Height();
  std::int64_t first = direction > 0 ? -start : start - (extent - 1);
  std::int64_t last = direction > 0 ? extent - 1 - start : start;
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, steps - 1);
  for (std::int64_t i = first; i <= last; ++i) {
    if (period > 0 && ((pattern >> (i % period)) & 1u) == 0) continue;
    // minor offset = round(i * minorDiff / steps) with ties toward the larger coordinate,
    // i.e. floor(i * minorDiff / steps + 1/2).
    const auto offset =
        static_cast<std::int64_t>(FloorDiv(Int128{2} * i * minorDiff + steps, Int128{2} * steps));
    const std::int64_t x = xMajor ? x0 + direction * i : x0 + offset;
    const std::int64_t y = xMajor ? y0 + offset : y0 + direction * i;
    if (x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height()) {
      bitmap.SetPixel(static_cast<int>(x), static_cast<int>(y), color);
    }
  }
  return steps;
}

bool ReferenceEllipseInside(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                            std::int64_t x, std::int64_t y) {
  if (x < left || x >= right || y < top || y >= bottom) return false;
  // Doubled offsets from the centre of the outermost pixels; semi-axes a and b, doubled.
  const Int128 a = right - left - 1, b = bottom - top - 1;
  const Int128 px = std::llabs(2 * (x - left) - (right - left - 1));
  const Int128 py = std::llabs(2 * (y - top) - (bottom - top - 1));
  const auto onOrWithin = [&](Int128 u, Int128 v) { return u * u * b * b + v * v * a * a <= a * a * b * b; };
  // The centre moved half a pixel toward the middle, along x or along y.
  return onOrWithin(px > 0 ? px - 1 : 0, py) || onOrWithin(px, py > 0 ? py - 1 : 0);
}

bool ReferenceEllipseOutline(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                             std::int64_t x, std::int64_t y) {
  if (!ReferenceEllipseInside(left, top, right, bottom, x, y)) return false;
  return !ReferenceEllipseInside(left, top, right, bottom, x - 1, y) ||
         !ReferenceEllipseInside(left, top, right, bottom, x + 1, y) ||
         !ReferenceEllipseInside(left, top, right, bottom, x, y - 1) ||
         !ReferenceEllipseInside(left, top, right, bottom, x, y + 1);
}

bool ReferencePolygonInside(std::span<const TPoint> points, int x, int y) {
  // Count the edges crossed by the ray from the centre (x, y) to the left; an edge covers the rows
  // from its upper end up to, not including, its lower end. Doubled coordinates as for the others.
  const Int128 cx = 2 * Int128{x}, cy = 2 * Int128{y};
  bool inside = false;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TPoint p = points[i], q = points[(i + 1) % points.size()];
    const Int128 py = 2 * Int128{p.Y}, qy = 2 * Int128{q.Y};
    if ((py <= cy) == (qy <= cy)) continue;
    // The edge's x at the centre's row, compared with the centre: crossing <= centre.
    const Int128 px = 2 * Int128{p.X}, qx = 2 * Int128{q.X};
    const Int128 lhs = (px * (qy - py) + (cy - py) * (qx - px));  // crossing * (qy - py)
    const Int128 rhs = cx * (qy - py);
    if (qy > py ? lhs <= rhs : lhs >= rhs) inside = !inside;
  }
  return inside;
}

bool ReferenceStrokeCovers(TPoint a, TPoint b, int width, int x, int y) {
  // Doubled coordinates: sample point 2x + offset, radius = width.
  const long long offset = width % 2 == 0 ? 1 : 0;
  const Int128 sx = 2LL * x + offset, sy = 2LL * y + offset;
  const Int128 ax = 2LL * a.X, ay = 2LL * a.Y, bx = 2LL * b.X, by = 2LL * b.Y;
  const Int128 dx = bx - ax, dy = by - ay, r2 = Int128{width} * width;
  const Int128 len2 = dx * dx + dy * dy;
  const Int128 t = (sx - ax) * dx + (sy - ay) * dy;  // projection times len2
  if (len2 == 0 || t <= 0) return (sx - ax) * (sx - ax) + (sy - ay) * (sy - ay) < r2;
  if (t >= len2) return (sx - bx) * (sx - bx) + (sy - by) * (sy - by) < r2;
  const Int128 cross = (sx - ax) * dy - (sy - ay) * dx;
  return cross * cross < r2 * len2;
}

}  // namespace nox::test
