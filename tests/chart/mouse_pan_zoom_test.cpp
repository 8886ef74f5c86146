#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/interaction/mouse_pan_zoom.h"
#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

using MousePan = MouseTest;
using MouseZoomDrag = MouseTest;

constexpr double kEps = 1e-9;

void ExpectRanges(const TCustomGrafon& chart, int layer, double xLow, double xHigh, double yLow,
                  double yHigh) {
  const auto r = RangesOf(chart, layer);
  EXPECT_NEAR(r[0], xLow, kEps);
  EXPECT_NEAR(r[1], xHigh, kEps);
  EXPECT_NEAR(r[2], yLow, kEps);
  EXPECT_NEAR(r[3], yHigh, kEps);
}

TEST_F(MousePan, FirstMoveOnlyRecordsTheStart) {
  chart.SetMouseAction(maPan);
  Press(100, 100);
  Drag(120, 110);
  EXPECT_TRUE(chart.MouseState().DragStarted);
  ExpectRanges(chart, 1, 0, 21, 0, 14);
  EXPECT_EQ(chart.Paints, 0);
  // 10 pixels right and 20 down from the recorded start: the picture follows the pointer.
  Drag(130, 130);
  ExpectRanges(chart, 1, -1, 20, 2, 16);
}

TEST_F(MousePan, MoveOutsideTheChartAreaKeepsTheRangeAndTheDrag) {
  chart.SetMouseAction(maPan);
  Press(100, 100);
  Drag(100, 100);
  Drag(110, 100);
  ExpectRanges(chart, 1, -1, 20, 0, 14);
  Drag(261, 100);  // one pixel right of the chart area
  ExpectRanges(chart, 1, -1, 20, 0, 14);
  EXPECT_TRUE(chart.MouseState().DragStarted);
  Drag(120, 100);
  ExpectRanges(chart, 1, -2, 19, 0, 14);
}

TEST_F(MousePan, BackAtTheStartAfterManyMovesGivesTheStartRangeExactly) {
  chart.SetMouseAction(maPan);
  Press(150, 90);
  Drag(150, 90);
  for (int i = 1; i <= 60; ++i) Drag(150 + (i % 7) * 13 - 40, 90 + (i % 5) * 11 - 20);
  Drag(150, 90);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 21, 0, 14}));
}

TEST_F(MousePan, GoesOnWhileTheDataUnderItScrollsOrIsCleared) {
  chart.SetMouseAction(maPan);
  chart.SetDataLimit(50);
  Press(100, 100);
  Drag(100, 100);
  for (int i = 0; i < 200; ++i) {
    chart.LineTo(i * 0.1, 7);
    if (i % 50 == 49) Drag(100 + i / 50, 100);  // repaints what is kept now
  }
  EXPECT_EQ(chart.DataCount(), 50);
  chart.ClearData();
  Drag(110, 100);
  Release(110, 100);
  ExpectRanges(chart, 1, -1, 20, 0, 14);
  // The screen shows the emptied chart: painting again changes nothing.
  const auto shown = Screen();
  chart.Repaint();
  EXPECT_TRUE(SameImage(*shown, chart.ScreenImage()));
}

TEST_F(MousePan, HorizontalAndVerticalPansMoveOneAxis) {
  chart.SetMouseAction(maPanHoriz);
  Press(100, 100);
  Drag(100, 100);
  Drag(110, 120);
  ExpectRanges(chart, 1, -1, 20, 0, 14);
  Release(110, 120);
  chart.SetMouseAction(maPanVert);
  Press(100, 100);
  Drag(100, 100);
  Drag(110, 120);
  ExpectRanges(chart, 1, -1, 20, 2, 16);
}

TEST_F(MousePan, LogarithmicAxisPansByFactors) {
  chart.SetLayerRange(1, 1, 0, 1000, 14);
  chart.Scale1X().SetLogarithmic(true);
  ASSERT_TRUE(chart.Scale1X().Logarithmic());
  chart.SetMouseAction(maPan);
  Press(200, 100);
  Drag(200, 100);
  Drag(130, 100);  // a third of the chart area: one decade of three
  EXPECT_NEAR(chart.Scale1X().RangeLow(), 10, 1e-9);
  EXPECT_NEAR(chart.Scale1X().RangeHigh(), 10000, 1e-6);
}

TEST_F(MousePan, PanGridPutsTheLowEndOnTheGrid) {
  chart.SetMouseAction(maPanGrid);
  chart.SetPanGridOffsX(0.5);
  Press(150, 90);
  Drag(150, 90);
  Drag(113, 90);  // low end 3.7
  ExpectRanges(chart, 1, 3.5, 24.5, 0, 14);
  Drag(187, 90);  // low end -3.7
  ExpectRanges(chart, 1, -2.5, 18.5, 0, 14);
}

TEST_F(MousePan, PanGridStepZeroPansFreely) {
  chart.SetMouseAction(maPanGrid);
  chart.SetPanGridDx(0);
  chart.SetPanGridDy(0.5);
  Press(150, 90);
  Drag(150, 90);
  Drag(113, 97);  // x low 3.7, y low 0.7
  ExpectRanges(chart, 1, 3.7, 24.7, 0.5, 14.5);
}

TEST_F(MousePan, PanGridLeavesALayerWithALogarithmicAxisAlone) {
  chart.SetLayerRange(2, 0, 1, 21, 100);
  chart.Scale2Y().SetLogarithmic(true);
  chart.SetLayerMouseActive(2, true);
  chart.SetMouseAction(maPanGrid);
  Press(150, 90);
  Drag(150, 90);
  Drag(113, 90);
  ExpectRanges(chart, 1, 3, 24, 0, 14);
  ExpectRanges(chart, 2, 0, 21, 1, 100);
}

TEST_F(MousePan, OnlyMouseActiveLayersFollow) {
  for (int l : {2, 3}) chart.SetLayerRange(l, 0, 0, 21, 14);
  chart.SetLayerMouseActive(2, true);
  chart.SetMouseAction(maPan);
  Press(100, 100);
  Drag(100, 100);
  Drag(110, 100);
  ExpectRanges(chart, 1, -1, 20, 0, 14);
  ExpectRanges(chart, 2, -1, 20, 0, 14);
  ExpectRanges(chart, 3, 0, 21, 0, 14);
}

TEST_F(MousePan, PanStartedOnAScaleBandStartsThere) {
  chart.SetMouseAction(maPan);
  Press(100, 170);  // on the band of Scale1X, below the chart area
  Drag(100, 170);   // the scale hit records the start
  ASSERT_TRUE(chart.MouseState().DragStarted);
  EXPECT_EQ(chart.MouseState().DragStart[0].Y, 170);
  Drag(100, 150);
  ExpectRanges(chart, 1, 0, 21, -2, 12);
}

TEST_F(MousePan, ConfinedPanShiftsAndKeepsTheSpan) {
  chart.SetConfinement(-5, -5, 25, 20);
  chart.SetMouseAction(maPan);
  Press(100, 100);
  Drag(100, 100);
  Drag(200, 100);  // asks for -10 .. 11
  ExpectRanges(chart, 1, -5, 16, 0, 14);
}

TEST_F(MousePan, EveryMoveRepaintsOnceAndReports) {
  chart.SetLayerMouseActive(2, true);
  chart.SetLayerMouseActive(3, true);
  int zoomPans = 0;
  chart.OnZoomPan = [&](TObject* sender) {
    EXPECT_EQ(sender, &chart);
    ++zoomPans;
  };
  chart.SetMouseAction(maPan);
  Press(100, 100);
  Drag(100, 100);
  EXPECT_EQ(zoomPans, 0);
  for (int i = 1; i <= 5; ++i) Drag(100 + i, 100);
  EXPECT_EQ(chart.Paints, 5);
  EXPECT_EQ(zoomPans, 5);
}

TEST_F(MousePan, ReleaseRecordsHistoryOnlyWhenTheViewMoved) {
  chart.SetMouseAction(maPan);
  const int position = chart.ZoomHistory().WritePosition();
  Press(100, 100);
  Release(100, 100);
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), position);  // a click moves nothing
  Press(100, 100);
  Drag(100, 100);
  Drag(110, 100);
  Release(110, 100);
  EXPECT_FALSE(chart.MouseState().DragStarted);
  chart.SetLayerRange(1, 5, 5, 6, 6);
  chart.RecallZoom(-1);
  ExpectRanges(chart, 1, -1, 20, 0, 14);
}

// Every gesture records one snapshot when it ends, and a property change none, however many
// layers are joined to the one that moves; going back one step then gives the view before.
TEST_F(MousePan, JoinedLayersAddNoSnapshots) {
  struct Case {
    const char* what;
    TMouseActMode action;
    int snapshots;
  };
  for (const Case c : {Case{"pan drag", maPan, 1}, Case{"zoom drag", maZoomDrag, 1},
                       Case{"zoom window", maZoomWind, 1}, Case{"caption change", maNone, 0}}) {
    SCOPED_TRACE(c.what);
    chart.SetLayerRange(1, 0, 0, 21, 14);
    for (int l = 2; l <= 16; ++l) {
      chart.JointLayers().SetXControlledBy(l, 1);
      chart.JointLayers().SetYControlledBy(l, 1);
    }
    chart.SetLayerMouseActive(2, true);  // a second layer under the window; it follows layer 1
    const auto before = RangesOf(chart, 1);
    const int position = chart.ZoomHistory().WritePosition();
    chart.SetMouseAction(c.action);
    if (c.action == maNone) {
      chart.Scale1X().SetCaption("x");
    } else {
      Press(100, 100);
      for (int i = 0; i <= 20; ++i) Drag(100 + 3 * i, 100 - 2 * i);
      Release(160, 60);
    }
    EXPECT_EQ((chart.ZoomHistory().WritePosition() - position + 16) % 16, c.snapshots);
    if (c.snapshots == 0) continue;
    EXPECT_NE(RangesOf(chart, 1), before);
    EXPECT_EQ(RangesOf(chart, 16), RangesOf(chart, 1));
    chart.RecallZoom(-1);
    EXPECT_EQ(RangesOf(chart, 1), before);
    EXPECT_EQ(RangesOf(chart, 16), before);
  }
}

TEST_F(MousePan, MoveWithoutTheLeftButtonEndsTheDrag) {
  chart.SetMouseAction(maPan);
  Press(100, 100);
  Drag(100, 100);
  Hover(110, 100);
  EXPECT_FALSE(chart.MouseState().DragStarted);
  Drag(120, 100);  // records anew
  ExpectRanges(chart, 1, 0, 21, 0, 14);
}

TEST_F(MousePan, ChartAreaWithoutWidthPansOnlyY) {
  chart.SetMarginRight(230);  // AW = 0
  ASSERT_EQ(chart.ChartAreaWidth(), 0);
  chart.SetMouseAction(maPan);
  Press(50, 100);
  Drag(50, 100);
  Drag(50, 120);
  ExpectRanges(chart, 1, 0, 21, 2, 16);
  chart.SetMarginRight(300);  // AW < 0: no point lies in the chart area
  Drag(50, 130);
  ExpectRanges(chart, 1, 0, 21, 2, 16);
}

TEST_F(MousePan, CoordinatesAtTheEndsOfTheIntRangeDoNotFault) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  for (TMouseActMode action : {maPan, maPanGrid, maZoomDrag}) {
    chart.SetMouseAction(action);
    Press(kMax, kMin);
    Drag(kMax, kMin);
    Drag(100, 100);
    Drag(kMin, kMax);
    Drag(260, 20);
    Release(kMin, kMin);
    for (double v : RangesOf(chart, 1)) EXPECT_TRUE(std::isfinite(v));
  }
}

TEST(PanGrid, SnapsTowardsZeroThenAddsTheOffset) {
  EXPECT_DOUBLE_EQ(static_cast<double>(detail::SnapToPanGrid(3.7L, 1, 0.5)), 3.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(detail::SnapToPanGrid(-3.7L, 1, 0.5)), -2.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(detail::SnapToPanGrid(7.3L, 2.5, 0)), 5);
  EXPECT_DOUBLE_EQ(static_cast<double>(detail::SnapToPanGrid(7.3L, -1, 0.5)), 7.3);
  EXPECT_DOUBLE_EQ(
      static_cast<double>(detail::SnapToPanGrid(7.3L, std::numeric_limits<double>::infinity(), 0)), 7.3);
}

TEST_F(MouseZoomDrag, RightNarrowsXAndDownWidensY) {
  chart.SetMouseAction(maZoomDrag);
  Press(150, 90);
  Drag(150, 90);
  ExpectRanges(chart, 1, 0, 21, 0, 14);
  Drag(178, 110);  // fx = 1 - 28/280 = 0.9, fy = 1 + 20/200 = 1.1
  ExpectRanges(chart, 1, 1.05, 19.95, -0.7, 14.7);
  Drag(122, 70);  // fx = 1.1, fy = 0.9
  ExpectRanges(chart, 1, -1.05, 22.05, 0.7, 13.3);
  Drag(261, 70);  // outside: kept
  ExpectRanges(chart, 1, -1.05, 22.05, 0.7, 13.3);
}

TEST_F(MouseZoomDrag, IsometricZoomsYByTheXFactor) {
  chart.SetIsometric(true);
  const double yLow = chart.Scale1Y().RangeLow();
  const double yHigh = chart.Scale1Y().RangeHigh();
  chart.SetMouseAction(maZoomDrag);
  Press(150, 90);
  Drag(150, 90);
  Drag(178, 130);  // fx = 0.9; the vertical move plays no part
  const double centre = (yLow + yHigh) / 2;
  const double half = (yHigh - yLow) * 0.9 / 2;
  ExpectRanges(chart, 1, 1.05, 19.95, centre - half, centre + half);
}

TEST_F(MouseZoomDrag, ReleaseRecordsTheZoomedRanges) {
  chart.SetMouseAction(maZoomDrag);
  Press(150, 90);
  Drag(150, 90);
  Drag(178, 90);
  Release(178, 90);
  chart.SetLayerRange(1, 5, 5, 6, 6);
  chart.RecallZoom(-1);
  ExpectRanges(chart, 1, 1.05, 19.95, 0, 14);
}

}  // namespace
}  // namespace nox::test
