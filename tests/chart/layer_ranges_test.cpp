#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

using LayerRanges = ChartTest;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST_F(LayerRanges, ArgumentsAreXLowYLowXHighYHigh) {
  TTestGrafon chart;
  chart.SetLayerRange(3, 1, 2, 3, 4);
  EXPECT_EQ(RangesOf(chart, 3), (std::array<double, 4>{1, 3, 2, 4}));
  EXPECT_EQ(RangesOf(chart, 4), (std::array<double, 4>{0, 1, 0, 1}));
}

TEST_F(LayerRanges, LayerZeroSetsEveryLayerAndOthersNothing) {
  TTestGrafon chart;
  chart.SetLayerRange(0, -1, -2, 1, 2);
  for (int l = 1; l <= 16; ++l) EXPECT_EQ(RangesOf(chart, l), (std::array<double, 4>{-1, 1, -2, 2}));
  chart.SetLayerRange(17, 5, 5, 6, 6);
  chart.SetLayerRange(-1, 5, 5, 6, 6);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{-1, 1, -2, 2}));
}

TEST_F(LayerRanges, EqualBoundsArePulledApartByMinRangeOnALinearAxis) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 5, 2, 5, 8);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 5 - 5e-11);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 5 + 5e-11);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 2);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 8);
}

TEST_F(LayerRanges, EqualBoundsArePulledApartByAFactorOnALogarithmicAxis) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 1, 0, 10, 1);
  chart.Scale1X().SetLogarithmic(true);
  ASSERT_TRUE(chart.Scale1X().Logarithmic());
  chart.SetLayerRange(1, 5, 2, 5, 8);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 5 / 1.1);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 5.5);
}

TEST_F(LayerRanges, RequestNarrowerThanMinRangeIsIgnoredAxisByAxis) {
  TTestGrafon chart;
  chart.Scale1X().SetMinRange(2);
  chart.SetLayerRange(1, 3, 3, 4.5, 9);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{-0.5, 1.5, 3, 9}));  // MinRange widened X to 2
  chart.SetLayerRange(1, 3, 3, 4.99, 9);                                    // 1.99 >= 0.99 * 2
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 4.99);
}

TEST_F(LayerRanges, LogarithmicAxisKeepsBoundsBelowTheLimit) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 1, 0, 10, 1);
  chart.Scale1X().SetLogarithmic(true);
  chart.SetLayerRange(1, -5, 0, 100, 1);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 100);
  // The upper bound alone would meet the kept lower one: the axis keeps its width instead.
  chart.SetLayerRange(1, 0, 0, 1, 1);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 100);
}

TEST_F(LayerRanges, ConfinedPanShiftsTheWindowKeepingItsSpan) {
  TTestGrafon chart;
  chart.SetConfinement(-150, -100, 450, 150);
  chart.SetMouseAction(maPan);
  chart.SetJointRange(1, false, true, 400, 0, 520, 100);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{330, 450, 0, 100}));
  chart.SetJointRange(1, false, true, 0, -300, 100, -200);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 100, -100, 0}));
}

TEST_F(LayerRanges, ConfinedZoomCutsTheWindow) {
  TTestGrafon chart;
  chart.SetConfinement(-150, -100, 450, 150);
  chart.SetMouseAction(maZoomWind);
  chart.SetJointRange(1, false, true, 400, 0, 520, 100);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{400, 450, 0, 100}));
}

TEST_F(LayerRanges, PanningOneAxisConfinesTheOtherLikeAZoom) {
  TTestGrafon chart;
  chart.SetConfinement(-150, -100, 450, 150);
  chart.SetMouseAction(maPanHoriz);
  chart.SetJointRange(1, false, true, 400, 100, 520, 200);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{330, 450, 100, 150}));
}

TEST_F(LayerRanges, ConfinedPanOfAWindowWiderThanTheBoxKeepsTheBoxCovered) {
  TTestGrafon chart;
  chart.SetConfinement(-150, -100, 450, 150);
  chart.SetMouseAction(maPan);
  // Already covering the box: stays where it is (taken literally, the tests would move it to
  // -250..450 and uncover nothing but jump).
  chart.SetJointRange(1, false, true, -200, -100, 500, 150);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{-200, 500, -100, 150}));
  // Dragged so far right that the box's left edge would show: shifted back just enough.
  chart.SetJointRange(1, false, true, -100, -100, 600, 150);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{-150, 550, -100, 150}));
}

// A logarithmic axis pans by a factor, keeping the ratio of its bounds: confined, it stops at the
// box's edge with that ratio, the part of the box at or below zero not counting.
TEST_F(LayerRanges, ConfinedPanOnALogarithmicAxisKeepsItsRatioInsideTheBox) {
  TTestGrafon chart;
  chart.SetConfinement(-150, -100, 450, 150);
  chart.SetMouseAction(maPan);
  chart.SetLayerRange(1, 1, 1, 100, 100);
  chart.Scale1X().SetLogarithmic(true);
  chart.SetJointRange(1, false, true, 9, 1, 900, 100);
  EXPECT_NEAR(chart.Scale1X().RangeLow(), 4.5, 1e-12);
  EXPECT_NEAR(chart.Scale1X().RangeHigh(), 450, 1e-12);
  chart.SetJointRange(1, false, true, 1e-102, 1, 1, 100);
  EXPECT_NEAR(chart.Scale1X().RangeLow() / 1e-100, 1, 1e-12);
  EXPECT_NEAR(chart.Scale1X().RangeHigh(), 100, 1e-10);
  // Inside the box a request is taken as it is.
  chart.SetJointRange(1, false, true, 0.3, 1, 7, 100);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0.3, 7, 1, 100}));
}

TEST_F(LayerRanges, WithoutConfinementOrWithoutAskingNothingIsConfined) {
  TTestGrafon chart;
  chart.SetMouseAction(maPan);
  chart.SetConfinement(0, 0, 0, 0);
  chart.SetJointRange(1, false, true, 400, 0, 520, 100);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{400, 520, 0, 100}));
  chart.SetConfinement(-150, -100, 450, 150);
  chart.SetLayerRange(1, 400, 0, 520, 100);  // not a gesture
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{400, 520, 0, 100}));
}

TEST_F(LayerRanges, NonFiniteAndOverflowingRequestsKeepTheOldRange) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 0, 0, 10, 10);
  chart.SetLayerRange(1, kNaN, 2, 1, 3);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 10, 2, 3}));
  chart.SetLayerRange(1, 0, -kInf, 1, 0);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 1, 2, 3}));
  chart.SetLayerRange(1, -1e308, 0, 1e308, 1);  // the span does not fit a Double
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 1, 0, 1}));
  chart.SetLayerRange(1, 1e308, 0, 1.7e308, 1);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1.7e308);
  chart.SetLayerRange(1, 0, 0, 1e4000L, 1);  // beyond the Double range
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1.7e308);
  int px = 0, py = 0;
  chart.WorldToPixel(1, 1.5e308, 0.5, px, py);
  EXPECT_GE(px, 0);
  EXPECT_LE(px, chart.Width());
  chart.SetConfinement(kNaN, 0, 1, 1);
  EXPECT_FALSE(chart.ConfinementActive());
}

TEST_F(LayerRanges, IsometricGivesYTheScaleOfX) {
  THeadlessHost tallPixels;
  tallPixels.SetDeviceAspect(36, 72);  // pixels twice as high as wide
  TScopedHost scopedTall(tallPixels);
  TTestGrafon chart;  // 280 x 200, chart area 211 x 141 pixels wide and high (+1)
  ASSERT_EQ(chart.DeviceAspectY(), 72);
  chart.SetIsometric(true);
  chart.SetLayerRange(1, 0, 10, 211, 20);
  const double h = 211.0 * 141 / 211 * 72 / 36 / 2;
  EXPECT_DOUBLE_EQ(chart.Scale1Y().RangeLow(), 15 - h);
  EXPECT_DOUBLE_EQ(chart.Scale1Y().RangeHigh(), 15 + h);
}

TEST_F(LayerRanges, SwitchingIsometricOnRefitsEveryLayerAndRecordsIt) {
  TTestGrafon chart;
  chart.SetLayerRange(0, 0, 0, 422, 1);
  const int position = chart.ZoomHistory().WritePosition();
  chart.SetIsometric(true);
  for (int l = 1; l <= 16; ++l) {
    EXPECT_DOUBLE_EQ(chart.ScaleYOf(l).RangeLow(), 0.5 - 141);
    EXPECT_DOUBLE_EQ(chart.ScaleYOf(l).RangeHigh(), 0.5 + 141);
  }
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), position % 16 + 1);
  chart.SetIsometric(false);
  EXPECT_FALSE(chart.Isometric());
  EXPECT_DOUBLE_EQ(chart.Scale1Y().RangeHigh(), 0.5 + 141);
}

TEST_F(LayerRanges, MarginChangeRefitsIsometricLayers) {
  TTestGrafon chart;
  chart.SetIsometric(true);
  chart.SetLayerRange(1, 0, 0, 211, 141);
  chart.SetMarginTop(50);  // chart area now 211 x 111 (+1)
  EXPECT_DOUBLE_EQ(chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow(), 111);
}

TEST_F(LayerRanges, RangeSettingPaintsOnce) {
  TTestGrafon chart;
  chart.HandleNeeded();
  chart.Paints = 0;
  chart.SetLayerRange(0, 1, 1, 2, 2);
  EXPECT_EQ(chart.Paints, 1);
  EXPECT_FALSE(chart.PaintSuspended());
}

}  // namespace
}  // namespace nox::test
