#pragma once
// The one rounding rule of the library: to the nearest integer, ties to even (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), computed in extended precision. Int truncates toward zero.
//
// Values that have no integer result saturate instead of being undefined: NaN gives 0, values beyond
// the result type give its smallest or largest value.

#include <cstdint>

namespace nox {

std::int64_t Round(long double value);
// Round, then limited to the range of int.
int RoundToInt(long double value);
// Truncation toward zero with the same saturation.
std::int64_t Trunc(long double value);
int TruncToInt(long double value);

}  // namespace nox
