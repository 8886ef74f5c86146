#include "chart/interaction/mouse_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace nox::test {
namespace {

TEST(MouseGeometry, ChartAreaBoundsAreInclusive) {
  const detail::TChartFrame frame{280, 200, 50, 20, 20, 40, 5};
  EXPECT_TRUE(detail::InChartArea(frame, 50, 20));
  EXPECT_TRUE(detail::InChartArea(frame, 255, 155));
  EXPECT_FALSE(detail::InChartArea(frame, 49, 20));
  EXPECT_FALSE(detail::InChartArea(frame, 256, 20));
  EXPECT_FALSE(detail::InChartArea(frame, 50, 19));
  EXPECT_FALSE(detail::InChartArea(frame, 50, 156));
}

TEST(MouseGeometry, ClampingRaisesThenLowers) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const detail::TChartFrame frame{280, 200, 50, 20, 20, 40, 0};
  EXPECT_EQ(detail::ClampXToChartArea(frame, kMin), 50);
  EXPECT_EQ(detail::ClampXToChartArea(frame, kMax), 260);
  EXPECT_EQ(detail::ClampXToChartArea(frame, 123), 123);
  EXPECT_EQ(detail::ClampYToChartArea(frame, kMin), 20);
  EXPECT_EQ(detail::ClampYToChartArea(frame, kMax), 160);
  // Without a chart area every point lands on its right (bottom) edge.
  const detail::TChartFrame empty{280, 200, 50, 300, 20, 250, 0};
  EXPECT_EQ(detail::ClampXToChartArea(empty, 100), -20);
  EXPECT_EQ(detail::ClampYToChartArea(empty, 100), -50);
}

TEST(MouseGeometry, HitBandsAreFortyDeepBesideHorizontalScalesFiftyBesideVerticalOnes) {
  const detail::TChartFrame frame{280, 200, 50, 20, 20, 40, 0};
  using detail::InScaleDragBand;
  using detail::InScaleHitBand;
  // bottom: 160 < y < 200 (hit), < 210 (drag); 50 < x < 260
  EXPECT_FALSE(InScaleHitBand(frame, detail::seBottom, 0, 100, 160));
  EXPECT_TRUE(InScaleHitBand(frame, detail::seBottom, 0, 100, 199));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seBottom, 0, 100, 200));
  EXPECT_TRUE(InScaleDragBand(frame, detail::seBottom, 0, 100, 209));
  EXPECT_FALSE(InScaleDragBand(frame, detail::seBottom, 0, 100, 210));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seBottom, 0, 50, 180));
  EXPECT_TRUE(InScaleHitBand(frame, detail::seBottom, 0, 259, 180));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seBottom, 0, 260, 180));
  // top, moved up by 30: -50 < y < -10 (hit), -60 < y (drag)
  EXPECT_TRUE(InScaleHitBand(frame, detail::seTop, 30, 100, -49));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seTop, 30, 100, -55));
  EXPECT_TRUE(InScaleDragBand(frame, detail::seTop, 30, 100, -55));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seTop, 30, 100, -10));
  // left, moved out by 50: -50 < x < 0; right: 260 < x < 310; 20 < y < 160
  EXPECT_TRUE(InScaleHitBand(frame, detail::seLeft, 50, -49, 100));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seLeft, 50, 0, 100));
  EXPECT_TRUE(InScaleHitBand(frame, detail::seRight, 0, 309, 100));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seRight, 0, 310, 100));
  EXPECT_FALSE(InScaleHitBand(frame, detail::seRight, 0, 300, 160));
}

TEST(MouseGeometry, ExtremeCoordinatesAndPositionsDoNotOverflow) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const detail::TChartFrame frame{280, 200, 50, 20, 20, 40, 0};
  for (detail::TScaleEdge edge : {detail::seLeft, detail::seRight, detail::seTop, detail::seBottom}) {
    EXPECT_FALSE(detail::InScaleDragBand(frame, edge, kMax, kMin, kMax));
    EXPECT_FALSE(detail::InScaleHitBand(frame, edge, kMin, kMax, kMin));
  }
  EXPECT_TRUE(detail::InScaleHitBand(frame, detail::seRight, kMax - 1000, kMax - 740 + 10, 100));
}

}  // namespace
}  // namespace nox::test
