#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

using MouseWindows = MouseTest;

constexpr double kEps = 1e-9;

struct TReport {
  int Layer;
  std::array<double, 4> Corners;  // LoX, LoY, HiX, HiY
};

void ExpectRanges(const TCustomGrafon& chart, int layer, std::array<double, 4> expected) {
  const auto r = RangesOf(chart, layer);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(r[i], expected[i], kEps) << "value " << i;
}

void ExpectCorners(const TReport& report, int layer, std::array<double, 4> expected) {
  EXPECT_EQ(report.Layer, layer);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_NEAR(report.Corners[i], expected[i], kEps) << "corner value " << i;
}

TEST_F(MouseWindows, ZoomWindFromLowerRightToUpperLeftReversesXOnly) {
  chart.SetMouseAction(maZoomWind);
  Press(200, 140);  // world (15, 2)
  Drag(100, 60);    // world (5, 10)
  Release(100, 60);
  ExpectRanges(chart, 1, {15, 5, 2, 10});
}

TEST_F(MouseWindows, ZoomWindPosKeepsEachAxisOrientation) {
  chart.SetMouseAction(maZoomWindPos);
  Press(200, 140);
  Drag(100, 60);
  Release(100, 60);
  ExpectRanges(chart, 1, {5, 15, 2, 10});
  // A reversed axis stays reversed, whatever the drag direction.
  chart.SetLayerRange(1, 21, 0, 0, 14);
  Press(100, 140);  // world x 16
  Drag(200, 60);    // world x 6
  Release(200, 60);
  ExpectRanges(chart, 1, {16, 6, 2, 10});
}

TEST_F(MouseWindows, ReleaseZoomsEveryActiveLayerWithHistoryAndOneRepaint) {
  chart.SetLayerRange(2, 0, 0, 210, 140);
  chart.SetLayerMouseActive(2, true);
  chart.Paints = 0;
  int zoomPans = 0;
  chart.OnZoomPan = [&](TObject*) { ++zoomPans; };
  chart.SetMouseAction(maZoomWind);
  Press(100, 140);
  Drag(200, 60);
  EXPECT_EQ(chart.Paints, 0);  // the figure follows the mouse without repainting
  Release(200, 60);
  ExpectRanges(chart, 1, {5, 15, 2, 10});
  ExpectRanges(chart, 2, {50, 150, 20, 100});
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(chart.Paints, 1);
  chart.SetLayerRange(1, 0, 0, 1, 1);
  chart.RecallZoom(-1);
  ExpectRanges(chart, 1, {5, 15, 2, 10});
}

TEST_F(MouseWindows, IsometricWindowIsASquareUnlessTheChartAreaCutsIt) {
  chart.SetIsometric(true);
  chart.SetMouseAction(maZoomWind);
  Press(100, 100);
  Drag(150, 120);
  EXPECT_EQ(chart.MouseState().WindowEnd, (TPoint{150, 150}));
  Drag(150, 80);
  EXPECT_EQ(chart.MouseState().WindowEnd, (TPoint{150, 50}));
  Drag(60, 90);
  EXPECT_EQ(chart.MouseState().WindowEnd, (TPoint{60, 60}));
  Drag(250, 100);  // 150 pixels wide, but only 80 above the start
  EXPECT_EQ(chart.MouseState().WindowEnd, (TPoint{250, 20}));
  // The rubber band is no zoom window: it keeps the pointer's y.
  Release(250, 20, mbRight);
  chart.SetMouseAction(maRubberBand);
  Press(100, 100);
  Drag(150, 120);
  EXPECT_EQ(chart.MouseState().WindowEnd, (TPoint{150, 120}));
}

TEST_F(MouseWindows, ClickWithoutMovementChangesNothing) {
  int zoomPans = 0;
  chart.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const int position = chart.ZoomHistory().WritePosition();
  const auto before = Screen();
  chart.SetMouseAction(maZoomWind);
  Press(100, 100);
  Release(100, 100);
  EXPECT_EQ(zoomPans, 0);
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), position);
  ExpectRanges(chart, 1, {0, 21, 0, 14});
  EXPECT_EQ(chart.Paints, 0);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);
}

TEST_F(MouseWindows, FigureFollowsThePointerAndTheRightButtonCancels) {
  int zoomPans = 0;
  chart.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const auto before = Screen();
  chart.SetMouseAction(maZoomWind);
  Press(100, 100);
  for (const TPoint p : {TPoint{140, 120}, TPoint{80, 130}, TPoint{300, 10}, TPoint{90, 95}}) {
    Drag(p.X, p.Y);
    const TPoint corner = chart.MouseState().WindowEnd;
    EXPECT_TRUE(SameImage(*WithXor(*before, {RectFigure({100, 100}, corner)}), chart.ScreenImage()));
  }
  EXPECT_EQ(chart.MouseState().WindowEnd, (TPoint{90, 95}));
  ASSERT_FALSE(site.Areas.empty());  // the host was told about every change
  Release(90, 95, mbRight);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
  EXPECT_EQ(zoomPans, 0);
  ExpectRanges(chart, 1, {0, 21, 0, 14});
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);
}

TEST_F(MouseWindows, MovesOutsideTheChartAreaAreClampedToIt) {
  const auto before = Screen();
  chart.SetMouseAction(maSelectRect);
  Press(100, 100);
  Drag(2000000000, -2000000000);
  EXPECT_EQ(chart.MouseState().WindowEnd, (TPoint{260, 20}));
  EXPECT_TRUE(SameImage(*WithXor(*before, {RectFigure({100, 100}, {260, 20})}), chart.ScreenImage()));
}

TEST_F(MouseWindows, MiddleButtonEndsWithoutEventAndLeavesNothingBehind) {
  int events = 0;
  chart.OnZoomPan = [&](TObject*) { ++events; };
  chart.OnRubberBand = [&](TObject*, int, double, double, double, double) { ++events; };
  const auto before = Screen();
  chart.SetMouseAction(maRubberBand);
  Press(100, 100);
  Drag(150, 130);
  EXPECT_TRUE(SameImage(*WithXor(*before, {LineFigure({100, 100}, {150, 130})}), chart.ScreenImage()));
  Release(150, 130, mbMiddle);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
}

TEST_F(MouseWindows, WindowWithoutWidthOrHeightEndsWithoutEvent) {
  int events = 0;
  chart.OnZoomPan = [&](TObject*) { ++events; };
  const auto before = Screen();
  chart.SetMouseAction(maRubberBand);
  Press(100, 100);
  Drag(150, 100);  // a horizontal line is drawn, but the window has no height
  Release(150, 100);
  EXPECT_EQ(events, 0);
  ExpectRanges(chart, 1, {0, 21, 0, 14});
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
}

TEST_F(MouseWindows, RubberBandReportsStartAndEndPointOfEveryActiveLayer) {
  chart.SetLayerRange(2, 0, 0, 210, 140);
  chart.SetLayerMouseActive(2, true);
  std::vector<TReport> reports;
  std::vector<std::string> order;
  chart.OnRubberBand = [&](TObject* sender, int layer, double loX, double loY, double hiX, double hiY) {
    EXPECT_EQ(sender, &chart);
    reports.push_back({layer, {loX, loY, hiX, hiY}});
    order.push_back("band");
  };
  chart.OnZoomPan = [&](TObject*) { order.push_back("zoompan"); };
  chart.SetMouseAction(maRubberBand);
  Press(200, 60);
  Drag(100, 140);
  Release(100, 140);
  ASSERT_EQ(reports.size(), 2u);
  ExpectCorners(reports[0], 1, {15, 10, 5, 2});  // not oriented: start point, then end point
  ExpectCorners(reports[1], 2, {150, 100, 50, 20});
  EXPECT_EQ(order, (std::vector<std::string>{"band", "band", "zoompan"}));
  ExpectRanges(chart, 1, {0, 21, 0, 14});
}

TEST_F(MouseWindows, SelectRectCornersRunLikeTheAxes) {
  chart.SetLayerRange(2, 210, 140, 0, 0);  // both axes reversed
  chart.SetLayerMouseActive(2, true);
  std::vector<TReport> reports;
  chart.OnSelectRect = [&](TObject*, int layer, double loX, double loY, double hiX, double hiY) {
    reports.push_back({layer, {loX, loY, hiX, hiY}});
  };
  chart.SetMouseAction(maSelectRect);
  Press(200, 60);
  Drag(100, 140);
  Release(100, 140);
  ASSERT_EQ(reports.size(), 2u);
  ExpectCorners(reports[0], 1, {5, 2, 15, 10});
  ExpectCorners(reports[1], 2, {160, 120, 60, 40});
}

TEST_F(MouseWindows, LeftReleaseLeavesOnlyThePicture) {
  chart.SetMouseAction(maSelectRect);
  Press(100, 100);
  Drag(150, 130);
  Release(150, 130);
  // The screen shows the composed control image and nothing else.
  EXPECT_TRUE(SameImage(chart.ControlImage(), chart.ScreenImage()));
}

TEST_F(MouseWindows, RepaintDuringADragKeepsTheFigureOnScreen) {
  chart.SetMouseAction(maZoomWind);
  Press(100, 100);
  Drag(150, 130);
  chart.Repaint();
  const TBitmap& picture = chart.ControlImage();
  EXPECT_TRUE(SameImage(*WithXor(picture, {RectFigure({100, 100}, {150, 130})}), chart.ScreenImage()));
  Drag(120, 70);
  EXPECT_TRUE(SameImage(*WithXor(picture, {RectFigure({100, 100}, {120, 70})}), chart.ScreenImage()));
  Release(120, 70, mbRight);
  EXPECT_TRUE(SameImage(picture, chart.ScreenImage()));
}

TEST_F(MouseWindows, ChangingTheActionKeepsTheWindowUntilAWindowRelease) {
  const auto before = Screen();
  chart.SetMouseAction(maZoomWind);
  Press(100, 100);
  Drag(150, 130);
  chart.SetMouseAction(maNone);
  Release(150, 130);
  EXPECT_EQ(chart.MouseState().WindowState, zsDrawWin);
  chart.SetMouseAction(maZoomWindPos);
  Press(200, 50);  // no new window while one is drawn
  EXPECT_EQ(chart.MouseState().WindowStart, (TPoint{100, 100}));
  Release(200, 50, mbRight);
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
}

TEST_F(MouseWindows, PressOutsideTheChartAreaOrWithAnotherButtonStartsNoWindow) {
  chart.SetMouseAction(maZoomWind);
  Press(40, 100);
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);
  Press(100, 100, mbRight);
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);
  Press(50, 160);  // the chart area's corner pixel belongs to it
  EXPECT_EQ(chart.MouseState().WindowState, zsDrawWin);
}

}  // namespace
}  // namespace nox::test
