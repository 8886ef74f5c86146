#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/rounding.h"

namespace nox {
namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

TEST(Rounding, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(0.5L), 0);
  EXPECT_EQ(Round(1.5L), 2);
  EXPECT_EQ(Round(2.5L), 2);
  EXPECT_EQ(Round(3.5L), 4);
  EXPECT_EQ(Round(-0.5L), 0);
  EXPECT_EQ(Round(-1.5L), -2);
  EXPECT_EQ(Round(-2.5L), -2);
  EXPECT_EQ(Round(-3.5L), -4);
  EXPECT_EQ(RoundToInt(2.5L), 2);
  EXPECT_EQ(RoundToInt(-2.5L), -2);
  EXPECT_EQ(RoundToInt(1e6L + 0.5L), 1000000);
}

TEST(Rounding, NonTiesGoToTheNearest) {
  EXPECT_EQ(Round(0.49999999999999994L), 0);
  EXPECT_EQ(Round(2.5000001L), 3);
  EXPECT_EQ(Round(-2.5000001L), -3);
  EXPECT_EQ(Round(-0.4L), 0);
  EXPECT_EQ(Round(7.0L), 7);
}

// The tie is decided in extended precision: a double a hair beside the tie is no tie.
TEST(Rounding, ExtendedPrecisionTies) {
  EXPECT_EQ(Round(199.5L), 200);
  EXPECT_EQ(Round(198.5L), 198);
  const double justBelow = std::nextafter(198.5, 0.0);
  const double justAbove = std::nextafter(198.5, 1000.0);
  EXPECT_EQ(Round(justBelow), 198);
  EXPECT_EQ(Round(justAbove), 199);
  const long double hairAboveTie = 198.5L + std::numeric_limits<long double>::epsilon() * 256;
  EXPECT_EQ(Round(hairAboveTie), 199);
  // 2^62 + 0.5 exists in extended precision only; it is a tie and goes to the even 2^62.
  const long double big = 4611686018427387904.0L;
  EXPECT_EQ(Round(big + 0.5L), 4611686018427387904);
  EXPECT_EQ(Round(big + 1.5L), 4611686018427387906);
}

TEST(Rounding, ValuesWithoutAnIntegerResultSaturate) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(Round(nan), 0);
  EXPECT_EQ(Round(inf), kInt64Max);
  EXPECT_EQ(Round(-inf), kInt64Min);
  EXPECT_EQ(Round(1e300L), kInt64Max);
  EXPECT_EQ(Round(-1e300L), kInt64Min);
  EXPECT_EQ(Round(9223372036854775808.0L), kInt64Max);
  EXPECT_EQ(Round(-9223372036854775808.0L), kInt64Min);
  EXPECT_EQ(RoundToInt(nan), 0);
  EXPECT_EQ(RoundToInt(inf), kIntMax);
  EXPECT_EQ(RoundToInt(-inf), kIntMin);
  EXPECT_EQ(RoundToInt(3e9L), kIntMax);
  EXPECT_EQ(RoundToInt(-3e9L), kIntMin);
  EXPECT_EQ(RoundToInt(2147483646.5L), 2147483646);
  EXPECT_EQ(RoundToInt(2147483647.4L), kIntMax);
  EXPECT_EQ(RoundToInt(-2147483648.4L), kIntMin);
}

TEST(Truncation, CutsTowardZeroAndSaturates) {
  EXPECT_EQ(Trunc(2.9L), 2);
  EXPECT_EQ(Trunc(-2.9L), -2);
  EXPECT_EQ(Trunc(-0.5L), 0);
  EXPECT_EQ(TruncToInt(1.999999L), 1);
  EXPECT_EQ(TruncToInt(-1.999999L), -1);
  EXPECT_EQ(Trunc(std::numeric_limits<long double>::quiet_NaN()), 0);
  EXPECT_EQ(Trunc(std::numeric_limits<long double>::infinity()), kInt64Max);
  EXPECT_EQ(TruncToInt(-std::numeric_limits<long double>::infinity()), kIntMin);
  EXPECT_EQ(TruncToInt(1e20L), kIntMax);
  EXPECT_EQ(TruncToInt(2147483647.9L), kIntMax);
}

}  // namespace
}  // namespace nox
