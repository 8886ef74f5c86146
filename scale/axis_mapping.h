#pragma once
// The linear map from world values of one axis to pixels: pixel = k * v + o, where v is the world
// value, or its natural logarithm on a logarithmic axis. Computed in extended precision.
//
// The one mapping of the library: a chart maps its items and grid lines with it, and the scales it
// hosts place their ticks with the chart's map of their axis, so a tick, the grid line that follows
// it and a data point at the same value share one pixel. A stand-alone scale computes its own map by
// the same rule.

#include <algorithm>
#include <cmath>

#include "base/rounding.h"

namespace nox {

// The smallest value a logarithmic axis accepts (smaller values have no pixel of their own), and the
// smallest MinRange of a chart's axis.
constexpr double kMinLogValue = 1e-100;

}  // namespace nox

namespace nox::detail {

struct TAxisMapping {
  long double k = 0;  // pixels per world unit (per ln unit on a logarithmic axis)
  long double o = 0;  // pixel of world value 0 (of ln value 0)
  friend bool operator==(const TAxisMapping&, const TAxisMapping&) = default;
};

// The map that sends low to lowPixel and high to highPixel. When the pixel extent is empty
// (lowPixel and highPixel do not differ in the direction of travel, extent <= 0) or the range has
// no width, every value maps to centre: k = 0, o = centre.
// Otherwise returns false, leaving out untouched, for a logarithmic axis with a bound <= 0.
bool ComputeAxisMapping(bool logarithmic, double low, double high, long double lowPixel,
                        long double highPixel, long double extent, long double centre, TAxisMapping& out);

// The pixel of world value v, clamped into -2147483647..2147483647 and rounded (ties to even).
// On a logarithmic axis a value <= 1e-100 gives belowLogPixel. On a linear axis the pixel never
// decreases as v grows when k > 0 and never increases when k < 0 (each step rounds monotonically),
// which the renderer relies on to place whole blocks of points by their extremes.
inline int MapToPixel(const TAxisMapping& m, bool logarithmic, double v, int belowLogPixel) {
  long double p;
  if (logarithmic) {
    if (!(v > kMinLogValue)) return belowLogPixel;
    p = std::log(static_cast<long double>(v)) * m.k + m.o;
  } else {
    p = static_cast<long double>(v) * m.k + m.o;
  }
  if (std::isnan(p)) return 0;
  return RoundToInt(std::clamp<long double>(p, -2147483647.0L, 2147483647.0L));
}

// The world value at pixel p, limited to the finite Double range. An axis with k = 0 (no extent)
// has no inverse; it gives fallback.
double MapToWorld(const TAxisMapping& m, bool logarithmic, int p, double fallback);

}  // namespace nox::detail
