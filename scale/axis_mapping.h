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

// The pixel position of world value v > 1e-100 (any v on a linear axis) before rounding.
inline long double UnroundedPixel(const TAxisMapping& m, bool logarithmic, double v) {
  const long double t = logarithmic ? std::log(static_cast<long double>(v)) : static_cast<long double>(v);
  return t * m.k + m.o;
}

// A pixel position clamped into -2147483647..2147483647 and rounded (ties to even); NaN gives 0.
inline int RoundPixel(long double p) {
  if (std::isnan(p)) return 0;
  return RoundToInt(std::clamp<long double>(p, -2147483647.0L, 2147483647.0L));
}

// The pixel of world value v, clamped into -2147483647..2147483647 and rounded (ties to even).
// On a logarithmic axis a value <= 1e-100 gives belowLogPixel. On a linear axis the pixel never
// decreases as v grows when k > 0 and never increases when k < 0 (each step rounds monotonically),
// which the renderer relies on to place whole blocks of points by their extremes.
inline int MapToPixel(const TAxisMapping& m, bool logarithmic, double v, int belowLogPixel) {
  if (logarithmic && !(v > kMinLogValue)) return belowLogPixel;
  return RoundPixel(UnroundedPixel(m, logarithmic, v));
}

// The same map in double beside the exact one, for loops over many points: the renderer's fast paths
// map with it and get exactly the pixels of MapToPixel.
struct TDoubleAxisMapping {
  TAxisMapping exact;
  double k = 0;  // exact.k rounded to double
  double o = 0;  // exact.o rounded to double
  TDoubleAxisMapping() = default;
  explicit TDoubleAxisMapping(const TAxisMapping& m)
      : exact(m), k(static_cast<double>(m.k)), o(static_cast<double>(m.o)) {}
};

// MapToPixel(m.exact, logarithmic, v, belowLogPixel), computed in double where that is provably the
// same int.
//
// Why it is exact: the double result p = t * k + o (t = v, or log(v)) and the extended one differ by
// less than 6 * 2^-53 * (|t * k| + |o|): rounding k and o to double errs by 2^-53 of each, the
// product and the sum by 2^-53 each, log by less than one unit in the last place (2^-52, the C
// library's documented accuracy), and the extended computation by about 2^-62. The bound taken,
// 2^-48 * (|t * k| + |o|), leaves a margin of five (log may err by 20 units and the proof still
// holds). When p lies farther than that from every half-integer, both round to the same integer;
// otherwise, near a tie, the extended computation decides. |p| < 2^30 keeps p far inside the clamp
// limits and makes the rounding below exact; NaN, infinities and huge values take the extended path
// as well. (A k below the normal doubles, as a 1-pixel axis over the whole double range has, errs
// by at most 2^-1074 * |v| <= 2^-50 in the product, still inside the bound wherever p lies near a
// half-integer, as |o| >= 1/4 there.)
//
// RoundsInDouble is the test and the rounding, without branches so that loops over many values
// vectorise: r is p = a + o (a = t * k) rounded to the nearest integer, ties to even, and the result
// tells whether r is the extended computation's pixel (when it is false, r may be anything).
// RoundsClearOfTies is the same for any margin.
inline bool RoundsClearOfTies(double p, double margin, double& r) {
  // Adding and taking away 1.5 * 2^52 rounds to the nearest integer, ties to even (|p| < 2^51);
  // p - r is then exact.
  constexpr double kRoundShift = 0x1.8p52;
  r = (p + kRoundShift) - kRoundShift;
  const bool small = std::fabs(p) < 0x1p30;
  const bool farFromTie = 0.5 - std::fabs(p - r) > margin;
  return small & farFromTie;
}
inline bool RoundsInDouble(double a, double o, double& r) {
  return RoundsClearOfTies(a + o, (std::fabs(a) + std::fabs(o)) * 0x1p-48, r);
}
inline int MapToPixelInDouble(const TDoubleAxisMapping& m, bool logarithmic, double v, int belowLogPixel) {
  double t = v;
  if (logarithmic) {
    if (!(v > kMinLogValue)) return belowLogPixel;
    t = std::log(v);
  }
  double r;
  if (RoundsInDouble(t * m.k, m.o, r)) return static_cast<int>(r);
  return MapToPixel(m.exact, logarithmic, v, belowLogPixel);
}

// The pixels of the values lo <= hi (lo to pixelLo, hi to pixelHi, as MapToPixel gives them), and
// whether every value between them maps to a pixel between those two, bounds included, so that the
// pixels of a whole block of points follow from its least and greatest value. Always so on a linear
// axis (see MapToPixel); on a logarithmic axis when both lie at or below 1e-100, or both above it
// and neither lies near a rounding tie.
bool MapSpanToPixels(const TDoubleAxisMapping& m, bool logarithmic, double lo, double hi, int belowLogPixel,
                     int& pixelLo, int& pixelHi);

// The world value at pixel p, limited to the finite Double range. An axis with k = 0 (no extent)
// has no inverse; it gives fallback.
double MapToWorld(const TAxisMapping& m, bool logarithmic, int p, double fallback);

}  // namespace nox::detail
