#pragma once
// The one rounding rule of the library: to the nearest integer, ties to even (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), computed in extended precision. Int truncates toward zero.
//
// Values that have no integer result saturate instead of being undefined: NaN gives 0, values beyond
// the result type give its smallest or largest value.
//
// These sit on every pixel computation of the renderer, so they are inline and use the processor's
// round-to-nearest conversion (llrint) instead of a conversion that switches the rounding mode per
// call. They assume the floating-point environment's default rounding mode, which the library never
// changes.

#include <cmath>
#include <cstdint>
#include <limits>

namespace nox {

namespace detail {
template <class I>
I SaturatedRint(long double value) {
  // The bounds are exact in long double: -2^(n-1) and 2^(n-1).
  constexpr long double kLow = static_cast<long double>(std::numeric_limits<I>::min());
  constexpr long double kHigh = -kLow;
  if (!(value >= kLow - 0.5L)) return std::isnan(value) ? I{0} : std::numeric_limits<I>::min();
  if (!(value < kHigh - 0.5L)) return std::numeric_limits<I>::max();
  const long long r = std::llrint(value);
  if (r < static_cast<long long>(std::numeric_limits<I>::min())) return std::numeric_limits<I>::min();
  return static_cast<I>(r);
}
}  // namespace detail

inline std::int64_t Round(long double value) { return detail::SaturatedRint<std::int64_t>(value); }
// Round, then limited to the range of int.
inline int RoundToInt(long double value) { return detail::SaturatedRint<int>(value); }
// Truncation toward zero with the same saturation.
inline std::int64_t Trunc(long double value) { return detail::SaturatedRint<std::int64_t>(std::trunc(value)); }
inline int TruncToInt(long double value) { return detail::SaturatedRint<int>(std::trunc(value)); }

}  // namespace nox
