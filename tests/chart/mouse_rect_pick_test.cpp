#include <gtest/gtest.h>

#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

using MouseRectPick = MouseTest;

TEST_F(MouseRectPick, ArmedPickTakesTwoCornersAndLeavesTheScreenAsItWas) {
  const auto before = Screen();
  EXPECT_EQ(chart.RectPickState(), msNormal);
  chart.ArmRectPick();
  EXPECT_EQ(chart.RectPickState(), msFirstCorner);
  Press(100, 100);
  EXPECT_EQ(chart.RectPickState(), msRectDraw);
  EXPECT_EQ(chart.RectPickFirstCorner(), (TPoint{100, 100}));
  Drag(150, 120);
  EXPECT_TRUE(SameImage(*WithXor(*before, {RectFigure({100, 100}, {150, 120})}), chart.ScreenImage()));
  Drag(300, 5);  // clamped to the chart area
  EXPECT_TRUE(SameImage(*WithXor(*before, {RectFigure({100, 100}, {260, 20})}), chart.ScreenImage()));
  Release(300, 5);
  EXPECT_EQ(chart.RectPickState(), msFinished);
  EXPECT_EQ(chart.RectPickSecondCorner(), (TPoint{300, 5}));  // the release point itself
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
  // Finished stays finished until the caller resets it.
  Press(120, 120);
  Release(120, 120);
  EXPECT_EQ(chart.RectPickState(), msFinished);
  chart.ResetRectPick();
  EXPECT_EQ(chart.RectPickState(), msNormal);
}

TEST_F(MouseRectPick, RightButtonDisarmsOrCancels) {
  const auto before = Screen();
  chart.ArmRectPick();
  Press(100, 100, mbRight);
  EXPECT_EQ(chart.RectPickState(), msNormal);
  chart.ArmRectPick();
  Press(100, 100, mbMiddle);  // any other button sets the first corner
  EXPECT_EQ(chart.RectPickState(), msRectDraw);
  chart.DispatchMouseMove(TShiftState{ssMiddle}, 140, 130);
  Release(140, 130, mbRight);
  EXPECT_EQ(chart.RectPickState(), msNormal);
  EXPECT_EQ(chart.RectPickSecondCorner(), (TPoint{0, 0}));
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
}

TEST_F(MouseRectPick, ResetOrReArmWhileDrawingTakesTheRectangleAway) {
  const auto before = Screen();
  chart.ArmRectPick();
  Press(100, 100);
  Drag(150, 120);
  chart.ResetRectPick();
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
  chart.ArmRectPick();
  Press(100, 100);
  Drag(150, 120);
  chart.ArmRectPick();
  EXPECT_EQ(chart.RectPickState(), msFirstCorner);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
  Release(150, 120);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
}

TEST_F(MouseRectPick, PanRepaintingUnderneathKeepsOneRectangleOnScreen) {
  chart.SetMouseAction(maPan);
  chart.ArmRectPick();
  Press(100, 100);
  Drag(100, 100);
  Drag(130, 120);
  ASSERT_GT(chart.Paints, 0);
  const TBitmap& picture = chart.ControlImage();
  EXPECT_TRUE(SameImage(*WithXor(picture, {RectFigure({100, 100}, {130, 120})}), chart.ScreenImage()));
  Drag(300, 120);  // clamped by the pick for the pan too
  EXPECT_EQ(chart.ScaleXOf(1).RangeLow(), -16);
  EXPECT_TRUE(SameImage(*WithXor(picture, {RectFigure({100, 100}, {260, 120})}), chart.ScreenImage()));
  Release(300, 120);
  EXPECT_EQ(chart.RectPickState(), msFinished);
  EXPECT_TRUE(SameImage(picture, chart.ScreenImage()));
}

TEST_F(MouseRectPick, SharesTheMovingCornerWithAZoomWindow) {
  const auto before = Screen();
  chart.SetMouseAction(maZoomWind);
  chart.ArmRectPick();
  Press(100, 100);
  Drag(150, 120);
  // One rectangle, drawn by the pick; the window's erase and draw of the same corner cancel.
  EXPECT_TRUE(SameImage(*WithXor(*before, {RectFigure({100, 100}, {150, 120})}), chart.ScreenImage()));
  Release(150, 120, mbRight);
  EXPECT_EQ(chart.RectPickState(), msNormal);
  EXPECT_EQ(chart.MouseState().WindowState, zsNormal);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
}

TEST_F(MouseRectPick, WithARubberBandBothFinishCleanly) {
  std::vector<int> layers;
  chart.OnRubberBand = [&](TObject*, int layer, double, double, double, double) { layers.push_back(layer); };
  chart.SetMouseAction(maRubberBand);
  chart.ArmRectPick();
  Press(100, 100);
  Drag(150, 120);
  Drag(170, 90);
  Release(170, 90);
  EXPECT_EQ(chart.RectPickState(), msFinished);
  EXPECT_EQ(layers, (std::vector<int>{1}));
  EXPECT_TRUE(SameImage(chart.ControlImage(), chart.ScreenImage()));
}

}  // namespace
}  // namespace nox::test
