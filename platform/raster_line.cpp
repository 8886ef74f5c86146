#include "platform/raster_line.h"

#include <algorithm>

#include "platform/raster_math.h"

namespace nox::detail {

// In the frame of the walk, step i (0 <= i < L) has the minor offset
//   u(i) = floor((2 i D + L - t) / (2 L)),
// where L and D are the major and minor differences and t is 0 when the minor coordinate grows
// along the line and 1 when it shrinks (which keeps ties on the larger coordinate). u never
// decreases and u(0) = 0, so the steps whose pixel lies inside the image form one interval, found
// by inverting u; the walk then resumes there with the remainder of the same fraction.
bool ClipLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int width, int height,
              LineWalk& walk) {
  if (width <= 0 || height <= 0) return false;
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const std::int64_t L = xMajor ? adx : ady;
  if (L == 0) return false;
  const std::int64_t D = xMajor ? ady : adx;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;

  const std::int64_t m0 = xMajor ? x0 : y0, n0 = xMajor ? y0 : x0;
  const int sm = xMajor ? sx : sy, sn = xMajor ? sy : sx;
  const std::int64_t extentM = xMajor ? width : height, extentN = xMajor ? height : width;
  const std::int64_t t = sn > 0 ? 0 : 1;

  walk.majorX = xMajor ? sx : 0;
  walk.majorY = xMajor ? 0 : sy;
  walk.minorX = xMajor ? 0 : sx;
  walk.minorY = xMajor ? sy : 0;
  walk.errorStep = 2 * D;
  walk.errorLimit = 2 * L;

  // Most lines lie inside: they start at their first step with the fraction (L - t) / 2L.
  if (x0 >= 0 && x0 < width && y0 >= 0 && y0 < height && x1 >= 0 && x1 < width && y1 >= 0 && y1 < height) {
    walk.x = static_cast<int>(x0);
    walk.y = static_cast<int>(y0);
    walk.count = static_cast<int>(L);
    walk.error = L - t;
    walk.firstStep = 0;
    return true;
  }

  // Steps whose major coordinate is inside.
  std::int64_t lo = 0, hi = L - 1;
  if (sm > 0) {
    lo = std::max(lo, -m0);
    hi = std::min(hi, extentM - 1 - m0);
  } else {
    lo = std::max(lo, m0 - (extentM - 1));
    hi = std::min(hi, m0);
  }
  if (lo > hi) return false;

  // Minor offsets whose coordinate is inside.
  const std::int64_t uLo = sn > 0 ? -n0 : n0 - (extentN - 1);
  const std::int64_t uHi = sn > 0 ? extentN - 1 - n0 : n0;
  if (uHi < 0) return false;
  const Int128 twoL = Int128{2} * L, twoD = Int128{2} * D;
  if (D == 0) {
    if (uLo > 0) return false;
  } else {
    if (uLo > 0) {
      const Int128 first = CeilDivNonNegative(twoL * uLo - L + t, twoD);  // first step with u >= uLo
      if (first > hi) return false;
      lo = std::max(lo, static_cast<std::int64_t>(first));
    }
    const Int128 last = FloorDivNonNegative(twoL * uHi + L + t - 1, twoD);  // last step with u <= uHi
    if (last < lo) return false;
    hi = std::min(hi, static_cast<std::int64_t>(last));
  }
  if (lo > hi) return false;

  const Int128 numerator = twoD * lo + L - t;
  const auto u = static_cast<std::int64_t>(FloorDivNonNegative(numerator, twoL));
  const std::int64_t m = m0 + sm * lo, n = n0 + sn * u;
  walk.x = static_cast<int>(xMajor ? m : n);
  walk.y = static_cast<int>(xMajor ? n : m);
  walk.count = static_cast<int>(hi - lo + 1);
  walk.error = static_cast<std::int64_t>(numerator - Int128{u} * twoL);
  walk.firstStep = lo;
  return true;
}

}  // namespace nox::detail
