#include <gtest/gtest.h>

#include "platform/popup_menu.h"
#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

using MouseScaleDrag = MouseTest;

constexpr double kEps = 1e-9;

void ExpectRanges(const TCustomGrafon& chart, int layer, double xLow, double xHigh, double yLow,
                  double yHigh) {
  const auto r = RangesOf(chart, layer);
  EXPECT_NEAR(r[0], xLow, kEps);
  EXPECT_NEAR(r[1], xHigh, kEps);
  EXPECT_NEAR(r[2], yLow, kEps);
  EXPECT_NEAR(r[3], yHigh, kEps);
}

TEST_F(MouseScaleDrag, RightClickOnAScaleShowsItsMenuElseTheCharts) {
  struct TMenuSite : TRecordingSite {
    void ShowPopupMenu(TControl&, TPopupMenu& menu, TPoint) override { Shown = &menu; }
    TPopupMenu* Shown = nullptr;
  } menuSite;
  chart.SetSite(&menuSite);
  TPopupMenu chartMenu(nullptr), axisMenu(nullptr);
  chart.SetPopupMenu(&chartMenu);
  chart.ScaleControlY(1).SetPopupMenu(&axisMenu);
  const struct {
    TPoint at;
    TPopupMenu* shown;
  } cases[] = {{{30, 100}, &axisMenu}, {{100, 180}, &chartMenu}, {{100, 100}, &chartMenu}};
  for (const auto& c : cases) {
    menuSite.Shown = nullptr;
    Press(c.at.X, c.at.Y, mbRight);
    Release(c.at.X, c.at.Y, mbRight);
    EXPECT_EQ(menuSite.Shown, c.shown) << c.at.X << ", " << c.at.Y;
  }
  chart.ScaleControlY(1).SetPopupMenu(nullptr);
  chart.SetSite(nullptr);
}

TEST_F(MouseScaleDrag, ScaleWithMaPanPansItsAxis) {
  int zoomPans = 0;
  chart.OnZoomPan = [&](TObject*) { ++zoomPans; };
  chart.Scale1X().SetMouseAction(maPan);
  Press(100, 180);
  Drag(100, 180);  // on Scale1X: records the start
  ExpectRanges(chart, 1, 0, 21, 0, 14);
  Drag(121, 180);  // 21 of 210 pixels
  ExpectRanges(chart, 1, -2.1, 18.9, 0, 14);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(chart.Paints, 1);
}

TEST_F(MouseScaleDrag, VerticalScaleWithMaZoomDragZoomsAboutItsCentre) {
  chart.Scale1Y().SetMouseAction(maZoomDrag);
  Press(30, 100);
  Drag(30, 100);
  Drag(30, 120);  // t = 1 + 20/200
  ExpectRanges(chart, 1, 0, 21, -0.7, 14.7);
}

TEST_F(MouseScaleDrag, DragFromTheChartAreaOntoAScaleUsesThePanStart) {
  chart.SetMouseAction(maPan);
  chart.Scale1X().SetMouseAction(maPan);
  Press(100, 100);
  Drag(100, 100);
  Drag(100, 150);
  ExpectRanges(chart, 1, 0, 21, 5, 19);
  Drag(130, 170);  // on the x scale: 30 pixels from the pan's start
  ExpectRanges(chart, 1, -3, 18, 5, 19);
}

TEST_F(MouseScaleDrag, DoubleClickSwitchesBetweenPanAndZoomOnly) {
  chart.Scale1X().SetMouseAction(maPan);
  chart.Scale1Y().SetMouseAction(maZoomDrag);
  Hover(100, 180);
  chart.DispatchDblClick();
  EXPECT_EQ(chart.Scale1X().MouseAction(), maZoom);
  chart.DispatchDblClick();
  EXPECT_EQ(chart.Scale1X().MouseAction(), maPan);
  Hover(30, 100);
  chart.DispatchDblClick();
  EXPECT_EQ(chart.Scale1Y().MouseAction(), maZoomDrag);
  EXPECT_EQ(chart.Scale1X().MouseAction(), maPan);
}

TEST_F(MouseScaleDrag, AfterADoubleClickTheDragStretchesTheAxis) {
  chart.Scale1X().SetMouseAction(maPan);
  Hover(200, 180);
  chart.DispatchDblClick();
  ASSERT_EQ(chart.Scale1X().MouseAction(), maZoom);
  chart.DispatchMouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, 200, 180);  // comes with the double click
  Release(200, 180);
  Press(200, 180);  // grabbed in the right half at x = 15: the low end stays
  Drag(200, 180);
  Drag(150, 180);
  ExpectRanges(chart, 1, 0, 31.5, 0, 14);
  int px = 0, py = 0;
  chart.WorldToPixel(1, 15, 0, px, py);
  EXPECT_EQ(px, 150);  // the grabbed value is under the pointer
}

TEST_F(MouseScaleDrag, HiddenScaleIsNotHitButIsDraggedWhenReached) {
  chart.Scale1X().SetVisible(false);
  chart.Scale1X().SetMouseAction(maPan);
  Press(100, 180);
  Drag(100, 180);
  EXPECT_FALSE(chart.MouseState().DragStarted);
  Drag(121, 180);
  ExpectRanges(chart, 1, 0, 21, 0, 14);
  Release(121, 180);
  // A drag started in the chart area reaches it.
  chart.SetMouseAction(maPanVert);
  Press(100, 100);
  Drag(100, 100);
  Drag(121, 180);
  ExpectRanges(chart, 1, -2.1, 18.9, 0, 14);
}

TEST_F(MouseScaleDrag, NoScaleIsDraggedWhileAWindowIsDrawn) {
  chart.SetMouseAction(maZoomWind);
  chart.Scale1X().SetMouseAction(maPan);
  Press(100, 100);
  Drag(100, 180);
  Drag(130, 180);
  ExpectRanges(chart, 1, 0, 21, 0, 14);
}

TEST_F(MouseScaleDrag, SeveralScalesUnderThePointerRepaintOnce) {
  int zoomPans = 0;
  chart.OnZoomPan = [&](TObject*) { ++zoomPans; };
  chart.SetLayerRange(2, 0, 0, 21, 14);
  chart.Paints = 0;
  chart.Scale1X().SetMouseAction(maPan);
  chart.Scale2X().SetMouseAction(maPan);  // hidden, at the bottom as well
  Press(100, 180);
  Drag(100, 180);
  Drag(121, 180);
  ExpectRanges(chart, 1, -2.1, 18.9, 0, 14);
  ExpectRanges(chart, 2, -2.1, 18.9, 0, 14);
  EXPECT_EQ(chart.Paints, 1);
  EXPECT_EQ(zoomPans, 1);
}

}  // namespace
}  // namespace nox::test
