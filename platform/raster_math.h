#pragma once
// Exact integer helpers for the rasterisers. Canvas coordinates are any int, so a difference needs
// 33 bits, a doubled one 34, and a product of two such values up to 68: the rasterisers compute
// in 128 bits, and the few tests that compare products of 128-bit values use CompareProducts.

#include <cstdint>
#include <limits>

namespace nox::detail {

__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

// Division rounding toward minus / plus infinity; the divisor must be positive.
constexpr Int128 FloorDiv(Int128 a, Int128 b) {
  const Int128 q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}
constexpr Int128 CeilDiv(Int128 a, Int128 b) {
  const Int128 q = a / b;
  return (a % b != 0 && a > 0) ? q + 1 : q;
}

// The same for a non-negative dividend; 64-bit division when both fit, which is much faster.
constexpr Int128 FloorDivNonNegative(Int128 a, Int128 b) {
  constexpr Int128 kMax64 = Int128{1} << 62;
  if (a < kMax64 && b < kMax64) return static_cast<std::int64_t>(a) / static_cast<std::int64_t>(b);
  return a / b;
}
constexpr Int128 CeilDivNonNegative(Int128 a, Int128 b) { return FloorDivNonNegative(a + b - 1, b); }

constexpr UInt128 Abs128(Int128 v) { return v < 0 ? static_cast<UInt128>(-v) : static_cast<UInt128>(v); }

// Sign of a * b - c * d for unsigned values of up to 128 bits (the products need up to 256).
constexpr int CompareProducts(UInt128 a, UInt128 b, UInt128 c, UInt128 d) {
  struct Wide {
    UInt128 hi, lo;
  };
  constexpr auto mul = [](UInt128 x, UInt128 y) {
    const auto x0 = static_cast<std::uint64_t>(x), x1 = static_cast<std::uint64_t>(x >> 64);
    const auto y0 = static_cast<std::uint64_t>(y), y1 = static_cast<std::uint64_t>(y >> 64);
    const UInt128 p00 = static_cast<UInt128>(x0) * y0, p01 = static_cast<UInt128>(x0) * y1;
    const UInt128 p10 = static_cast<UInt128>(x1) * y0, p11 = static_cast<UInt128>(x1) * y1;
    const UInt128 mid = (p00 >> 64) + static_cast<std::uint64_t>(p01) + static_cast<std::uint64_t>(p10);
    return Wide{p11 + (p01 >> 64) + (p10 >> 64) + (mid >> 64), (mid << 64) | static_cast<std::uint64_t>(p00)};
  };
  const Wide l = mul(a, b), r = mul(c, d);
  if (l.hi != r.hi) return l.hi < r.hi ? -1 : 1;
  if (l.lo != r.lo) return l.lo < r.lo ? -1 : 1;
  return 0;
}

// Clamps a 64-bit value into [lo, hi] and returns it as int (lo and hi are ints).
constexpr int ClampToInt(std::int64_t v, int lo, int hi) {
  return static_cast<int>(v < lo ? lo : (v > hi ? hi : v));
}

// A 64-bit coordinate limited to the range of int: a figure placed beyond it is cut off (it lies far
// outside any bitmap then) instead of wrapped round.
constexpr int SaturateToInt(std::int64_t v) {
  return ClampToInt(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

}  // namespace nox::detail
