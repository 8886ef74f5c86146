#include "scale/axis_mapping.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "base/rounding.h"

namespace nox::detail {

bool ComputeAxisMapping(bool logarithmic, double low, double high, long double lowPixel,
                        long double highPixel, long double extent, long double centre, TAxisMapping& out) {
  if (extent <= 0) {
    out = {0, centre};
    return true;
  }
  if (logarithmic && (high <= 0 || low <= 0)) return false;
  const long double l = logarithmic ? std::log(static_cast<long double>(low)) : low;
  const long double h = logarithmic ? std::log(static_cast<long double>(high)) : high;
  const long double span = h - l;
  const long double k = (highPixel - lowPixel) / span;
  const long double o = (lowPixel * h - highPixel * l) / span;
  // A range without width (equal bounds) has no map of its own.
  if (span == 0 || !std::isfinite(k) || !std::isfinite(o)) {
    out = {0, centre};
    return true;
  }
  out = {k, o};
  return true;
}

bool MapSpanToPixels(const TDoubleAxisMapping& m, bool logarithmic, double lo, double hi, int belowLogPixel,
                     int& pixelLo, int& pixelHi) {
  if (logarithmic && lo > kMinLogValue) {
    // First in double: each end's double pixel lies within 2^-48 (|k ln v| + |o|) of MapToPixel's
    // unrounded one (MapToPixelInDouble), which the widening below moves by less than 2^-59 times
    // the larger such sum; ends farther than 2^-47 times that sum from every tie are decided.
    const double lnLo = std::log(lo), lnHi = std::log(hi);
    const double margin =
        0x1p-47 * (std::fabs(m.k) * std::max(std::fabs(lnLo), std::fabs(lnHi)) + std::fabs(m.o));
    double rLo, rHi;
    if (RoundsClearOfTies(lnLo * m.k + m.o, margin, rLo) &&
        RoundsClearOfTies(lnHi * m.k + m.o, margin, rHi)) {
      pixelLo = static_cast<int>(rLo);
      pixelHi = static_cast<int>(rHi);
      return true;
    }
  }
  pixelLo = MapToPixelInDouble(m, logarithmic, lo, belowLogPixel);
  pixelHi = MapToPixelInDouble(m, logarithmic, hi, belowLogPixel);
  if (!logarithmic || !(hi > kMinLogValue)) return true;
  if (!(lo > kMinLogValue)) return false;  // the values at or below the limit jump to belowLogPixel
  // The logarithm is monotone, but its computed value only lies near it: MapToPixel's unrounded
  // pixel q(v) lies within e = 2^-60 * (|k ln v| + |o|) of k ln v + o (the logarithm errs by about
  // one unit of 2^-63, the product and the sum by 2^-64 each, leaving a margin of four). So for
  // lo <= v <= hi, q(v) lies between q(lo) and q(hi) widened by 2 e, e taken at the larger |ln| of
  // the two; where that widening rounds to the same pixels, v's pixel lies between them.
  const long double ln = std::max(std::fabs(std::log(static_cast<long double>(lo))),
                                  std::fabs(std::log(static_cast<long double>(hi))));
  const long double widening = 0x1p-59L * (std::fabs(m.exact.k) * ln + std::fabs(m.exact.o));
  const auto decided = [&](double v, int pixel) {
    const long double q = UnroundedPixel(m.exact, true, v);
    return RoundPixel(q - widening) == pixel && RoundPixel(q + widening) == pixel;
  };
  return decided(lo, pixelLo) && decided(hi, pixelHi);
}

double MapToWorld(const TAxisMapping& m, bool logarithmic, int p, double fallback) {
  if (m.k == 0) return fallback;
  long double v = (static_cast<long double>(p) - m.o) / m.k;
  if (logarithmic) v = std::exp(v);
  if (std::isnan(v)) return fallback;
  return static_cast<double>(std::clamp<long double>(v, -DBL_MAX, DBL_MAX));
}

}  // namespace nox::detail
