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

double MapToWorld(const TAxisMapping& m, bool logarithmic, int p, double fallback) {
  if (m.k == 0) return fallback;
  long double v = (static_cast<long double>(p) - m.o) / m.k;
  if (logarithmic) v = std::exp(v);
  if (std::isnan(v)) return fallback;
  return static_cast<double>(std::clamp<long double>(v, -DBL_MAX, DBL_MAX));
}

}  // namespace nox::detail
