#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/interaction/mouse_actions.h"
#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

using MouseHandlers = MouseTest;

struct TMoveReport {
  bool InChart;
  TShiftState Shift;
  double X;
  double Y;
};

TEST_F(MouseHandlers, StandardEventsFireOnceEach) {
  std::vector<std::string> log;
  chart.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  };
  chart.OnMouseMove = [&](TObject*, TShiftState, int x, int) { log.push_back("move " + std::to_string(x)); };
  chart.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
  chart.OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
  chart.OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  chart.OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
  chart.SetMouseAction(maPan);
  chart.DispatchMouseEnter();
  Press(100, 100);
  Drag(300, 100);  // unclamped for the standard event
  Release(300, 100);
  chart.DispatchDblClick();
  chart.DispatchMouseLeave();
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "down 100,100", "move 300", "up", "dblclick", "leave"}));
}

TEST_F(MouseHandlers, DoubleClickSkipsThePressThatComesWithIt) {
  int downs = 0, ups = 0;
  chart.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  chart.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  chart.SetMouseAction(maZoomWind);
  chart.DispatchDblClick();
  chart.DispatchMouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, 100, 100);
  EXPECT_EQ(downs, 0);
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);  // ignored altogether
  Release(100, 100);
  EXPECT_EQ(ups, 1);
  // Without a press in between, the release is the one skipped.
  chart.DispatchDblClick();
  Release(100, 100);
  EXPECT_EQ(ups, 1);
  Press(100, 100);
  EXPECT_EQ(downs, 1);
}

TEST_F(MouseHandlers, MoveInChartReportsTheWorldPositionInsideAndOverTheMargins) {
  std::vector<TMoveReport> reports;
  chart.OnMouseMoveInChart = [&](TObject* sender, bool inChart, TShiftState shift, double x, double y) {
    EXPECT_EQ(sender, &chart);
    reports.push_back({inChart, shift, x, y});
  };
  chart.DispatchMouseMove(TShiftState{ssShift}, 100, 100);
  Hover(30, 100);   // left margin
  Hover(100, 190);  // bottom margin
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_TRUE(reports[0].InChart);
  EXPECT_EQ(reports[0].Shift, TShiftState{ssShift});
  EXPECT_DOUBLE_EQ(reports[0].X, 5);
  EXPECT_DOUBLE_EQ(reports[0].Y, 6);
  EXPECT_FALSE(reports[1].InChart);
  EXPECT_DOUBLE_EQ(reports[1].X, -2);
  EXPECT_FALSE(reports[2].InChart);
  EXPECT_DOUBLE_EQ(reports[2].Y, -3);
}

TEST_F(MouseHandlers, MoveInChartGetsThePointerNotTheClampedGesturePoint) {
  std::optional<TMoveReport> last;
  chart.OnMouseMoveInChart = [&](TObject*, bool inChart, TShiftState shift, double x, double y) {
    last = TMoveReport{inChart, shift, x, y};
  };
  chart.SetMouseAction(maZoomWind);
  Press(100, 100);
  Drag(300, 100);
  ASSERT_TRUE(last);
  EXPECT_FALSE(last->InChart);
  EXPECT_DOUBLE_EQ(last->X, 25);
  double wx = 0, wy = 0;
  chart.LastMouseWorldPos(wx, wy);
  EXPECT_DOUBLE_EQ(wx, 21);  // the clamped point lies in the chart area
}

TEST_F(MouseHandlers, MoveArrivingWhileAMoveIsHandledIsIgnored) {
  int moves = 0, reports = 0;
  chart.OnMouseMove = [&](TObject*, TShiftState, int, int) {
    ++moves;
    Hover(120, 120);  // a handler that pumps messages
  };
  chart.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) { ++reports; };
  Hover(100, 100);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(chart.MouseState().LastPos, (TPoint{100, 100}));
  chart.OnMouseMove = nullptr;
  Hover(110, 110);
  EXPECT_EQ(reports, 2);
}

TEST_F(MouseHandlers, HandlerErrorDoesNotLeaveTheGuardSet) {
  chart.OnMouseMoveInChart = [](TObject*, bool, TShiftState, double, double) {
    throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(Hover(100, 100), std::runtime_error);
  int reports = 0;
  chart.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) { ++reports; };
  Hover(110, 110);
  EXPECT_EQ(reports, 1);
}

TEST_F(MouseHandlers, LastWorldPositionIsThatOfTheLastMoveInTheChartArea) {
  chart.SetLayerRange(2, 0, 0, 210, 140);
  double wx = 1, wy = 1;
  chart.LastMouseWorldPos(wx, wy);
  EXPECT_EQ(wx, 0);
  EXPECT_EQ(wy, 0);
  Hover(100, 100);
  Hover(30, 100);
  chart.LastMouseWorldPos(wx, wy);
  EXPECT_DOUBLE_EQ(wx, 5);
  EXPECT_DOUBLE_EQ(wy, 6);
  chart.SetCurrentLayer(2);
  Hover(100, 100);
  chart.LastMouseWorldPos(wx, wy);
  EXPECT_DOUBLE_EQ(wx, 50);
  EXPECT_DOUBLE_EQ(wy, 60);
}

TEST_F(MouseHandlers, CursorFollowsTheActionOverTheChartArea) {
  chart.SetMouseCursorFixed(false);
  const std::vector<std::pair<TMouseActMode, TCursor>> shown{{maNone, crCross},
                                                             {maPan, 1},
                                                             {maPanGrid, 1},
                                                             {maZoomWind, 2},
                                                             {maZoomDrag, 3},
                                                             {maZoomWindPos, 4},
                                                             {maRubberBand, crDefault},
                                                             {maDragCrossH, crDefault},
                                                             {maDragLabel, crDefault},
                                                             {maSelectRect, crDefault}};
  for (const auto& [action, cursor] : shown) {
    chart.SetMouseAction(action);
    Hover(100, 100);
    EXPECT_EQ(host.ScreenCursor(), cursor) << "action " << int{action};
  }
  // These leave the cursor as it is.
  chart.SetMouseAction(maPan);
  Hover(100, 100);
  for (TMouseActMode action :
       {maZoom, maRotate, maRotAndZoom, maRotXOnly, maRotZOnly, maDrawMTrace, maZoomPanColors}) {
    chart.SetMouseAction(action);
    Hover(100, 100);
    EXPECT_EQ(host.ScreenCursor(), 1) << "action " << int{action};
    EXPECT_FALSE(detail::CursorOfAction(action));
  }
  Hover(30, 100);  // over the margin
  EXPECT_EQ(host.ScreenCursor(), crDefault);
}

TEST_F(MouseHandlers, FixedCursorIsAlwaysTheDefaultOne) {
  chart.SetMouseAction(maPan);
  host.SetScreenCursor(crHourGlass);
  Hover(100, 100);
  EXPECT_EQ(host.ScreenCursor(), crDefault);
}

TEST_F(MouseHandlers, LeavingTheControlGivesTheCursorBack) {
  chart.SetMouseCursorFixed(false);
  chart.SetMouseAction(maPan);
  Hover(100, 100);
  ASSERT_EQ(host.ScreenCursor(), 1);
  chart.DispatchMouseLeave();
  EXPECT_EQ(host.ScreenCursor(), crDefault);
  // A cursor the application set meanwhile is not the chart's to take back.
  Hover(100, 100);
  host.SetScreenCursor(crHourGlass);
  chart.DispatchMouseLeave();
  EXPECT_EQ(host.ScreenCursor(), crHourGlass);
}

TEST_F(MouseHandlers, ActionsWithoutMeaningInATwoDimensionalChartChangeNothing) {
  const auto before = Screen();
  for (TMouseActMode action :
       {maNone, maZoom, maRotate, maRotAndZoom, maRotXOnly, maRotZOnly, maZoomPanColors}) {
    chart.SetMouseAction(action);
    Press(100, 100);
    Drag(100, 100);
    Drag(150, 130);
    Release(150, 130);
  }
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 21, 0, 14}));
  EXPECT_EQ(chart.Paints, 0);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
}

}  // namespace
}  // namespace nox::test
