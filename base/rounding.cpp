#include "base/rounding.h"

#include <cmath>
#include <limits>

namespace nox {

namespace {
template <class I>
I Saturate(long double integral) {
  if (std::isnan(integral)) return 0;
  if (integral <= static_cast<long double>(std::numeric_limits<I>::min()))
    return std::numeric_limits<I>::min();
  if (integral >= static_cast<long double>(std::numeric_limits<I>::max()))
    return std::numeric_limits<I>::max();
  return static_cast<I>(integral);
}

// Ties to even without depending on the floating-point environment's rounding mode.
long double RoundHalfEven(long double value) {
  const long double lower = std::floor(value);
  const long double diff = value - lower;
  if (diff < 0.5L) return lower;
  if (diff > 0.5L) return lower + 1.0L;
  return std::fmod(lower, 2.0L) == 0.0L ? lower : lower + 1.0L;
}
}  // namespace

std::int64_t Round(long double value) { return Saturate<std::int64_t>(RoundHalfEven(value)); }
int RoundToInt(long double value) { return Saturate<int>(RoundHalfEven(value)); }
std::int64_t Trunc(long double value) { return Saturate<std::int64_t>(std::trunc(value)); }
int TruncToInt(long double value) { return Saturate<int>(std::trunc(value)); }

}  // namespace nox
