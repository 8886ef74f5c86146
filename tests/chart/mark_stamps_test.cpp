// TMarkStamps: taking many rows of a column at once answers as taking them one by one.

#include "chart/render/mark_stamps.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace nox::detail {
namespace {

// Random stretches of rows (in and beyond the border, repeated, across words) taken with TakeRows
// in one table and with Take in another: the same rows paint, once each, and both tables then
// agree row by row for every pattern.
TEST(MarkStamps, TakeRowsPaintsWhatTakingOneByOneDoes) {
  std::mt19937 rng(15);
  for (const int height : {1, 60, 61, 200, 365}) {
    TMarkStamps together, alone;
    together.Begin(50, height);
    alone.Begin(50, height);
    for (int stretch = 0; stretch < 300; ++stretch) {
      const int x = std::uniform_int_distribution<int>(-5, 54)(rng);
      const auto pattern = static_cast<unsigned>(rng() % TMarkStamps::kPatterns);
      const int centre = std::uniform_int_distribution<int>(-10, height + 10)(rng);
      std::vector<int> rows(rng() % 40);
      for (int& y : rows) y = centre + std::uniform_int_distribution<int>(-70, 70)(rng);
      if (stretch % 7 == 0 && !rows.empty()) rows[0] = (stretch % 2 ? 1 : -1) * 30000;
      std::multiset<int> painted, expected;
      together.Column(x).TakeRows(rows, pattern, [&](int y) { painted.insert(y); });
      TMarkStamps::TColumn cells = alone.Column(x);
      for (const int y : rows) {
        if (cells.Take(y, pattern)) expected.insert(y);
      }
      ASSERT_EQ(painted, expected) << "height " << height << ", stretch " << stretch;
    }
    for (int x = -5; x < 55; ++x) {
      for (unsigned pattern = 0; pattern < TMarkStamps::kPatterns; ++pattern) {
        for (int y = -5; y < height + 5; ++y) {
          ASSERT_EQ(together.Column(x).Untaken(y, y, pattern), alone.Column(x).Untaken(y, y, pattern))
              << x << " " << y << " " << pattern;
        }
      }
    }
  }
}

}  // namespace
}  // namespace nox::detail
