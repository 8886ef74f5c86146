#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

class MouseDragCrossHair : public MouseTest {
 protected:
  void SetUp() override {
    MouseTest::SetUp();
    chart.SetMouseAction(maDragCrossH);
  }
};

using MouseDragLabel = MouseTest;

TEST_F(MouseDragCrossHair, NearestLinePicksTheCrossHairAndItJumpsToThePointer) {
  TCrossHair& vertical = chart.CrossHair1();
  vertical.SetMode(chVert);
  vertical.SetPosX(5);  // x = 100
  TCrossHair& horizontal = chart.CrossHair2();
  horizontal.SetLayer(1);
  horizontal.SetMode(chHoriz);
  horizontal.SetPosY(10);  // y = 60
  std::vector<TCrossHair*> moved;
  chart.OnCrossHairMove = [&](TObject* sender, TCrossHair& hair) {
    EXPECT_EQ(sender, &chart);
    moved.push_back(&hair);
  };
  chart.Paints = 0;
  Drag(110, 62);  // 10 pixels from the vertical line, 2 from the horizontal one
  EXPECT_EQ(chart.MouseState().SelectedCrossHair, 2);
  EXPECT_TRUE(moved.empty());
  Drag(120, 70);
  // A horizontal-only cross hair gets its PosX too.
  EXPECT_DOUBLE_EQ(horizontal.PosX(), 7);
  EXPECT_DOUBLE_EQ(horizontal.PosY(), 9);
  EXPECT_DOUBLE_EQ(vertical.PosX(), 5);
  EXPECT_EQ(moved, (std::vector<TCrossHair*>{&horizontal}));
  EXPECT_EQ(chart.Paints, 1);
}

TEST_F(MouseDragCrossHair, WithAllCrossHairsOffCrossHairOneIsDragged) {
  int moves = 0;
  chart.OnCrossHairMove = [&](TObject*, TCrossHair& hair) {
    EXPECT_EQ(&hair, &chart.CrossHair1());
    ++moves;
  };
  Drag(100, 100);
  Drag(120, 80);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 7);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosY(), 8);
  EXPECT_EQ(moves, 1);
}

TEST_F(MouseDragCrossHair, RefusedMoveKeepsTheCrossHairAndIsAskedAgain) {
  chart.CrossHair1().SetMode(chBoth);
  bool allow = false;
  std::vector<std::pair<int, int>> asked;
  chart.OnBeforeCrossHairMove = [&](TObject*, TCrossHair& hair, int dx, int dy, bool& allowMove) {
    EXPECT_EQ(&hair, &chart.CrossHair1());
    EXPECT_TRUE(allowMove);
    asked.emplace_back(dx, dy);
    allowMove = allow;
  };
  Drag(100, 100);  // cross hair 1 sits at world (0, 0), pixel (50, 160)
  Drag(110, 90);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 0);
  EXPECT_FALSE(chart.MouseState().DragStarted);
  allow = true;
  Drag(120, 80);
  Drag(130, 70);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{50, -60}, {60, -70}, {70, -80}}));
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 8);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosY(), 9);
}

TEST_F(MouseDragCrossHair, OutsideTheChartAreaNothingMovesAndTheDragGoesOn) {
  Drag(100, 100);
  Drag(30, 100);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 0);
  EXPECT_TRUE(chart.MouseState().DragStarted);
  Drag(110, 100);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 6);
  Hover(120, 100);
  EXPECT_FALSE(chart.MouseState().DragStarted);
}

TEST_F(MouseDragCrossHair, DragStartedOnAScaleStillAsksFirst) {
  int asked = 0;
  chart.OnBeforeCrossHairMove = [&](TObject*, TCrossHair&, int, int, bool& allowMove) {
    ++asked;
    allowMove = false;
  };
  Press(100, 170);
  Drag(100, 170);  // the scale band records a drag start
  ASSERT_TRUE(chart.MouseState().DragStarted);
  Drag(100, 100);
  Drag(110, 100);
  EXPECT_EQ(asked, 2);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 0);
}

TEST_F(MouseDragCrossHair, SwitchingFromALabelDragPicksAndAsksFirst) {
  int asked = 0;
  chart.OnBeforeCrossHairMove = [&](TObject*, TCrossHair&, int, int, bool&) { ++asked; };
  chart.SetMouseAction(maDragLabel);
  Drag(100, 100);
  Drag(110, 100);
  chart.SetMouseAction(maDragCrossH);
  Drag(120, 100);
  EXPECT_EQ(asked, 1);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 0);
  Drag(130, 100);
  EXPECT_DOUBLE_EQ(chart.CrossHair1().PosX(), 8);
}

TEST_F(MouseDragCrossHair, CrossHairOfAnotherLayerUsesThatLayersMapping) {
  chart.SetLayerRange(3, 0, 0, 210, 140);
  chart.CrossHair3().SetMode(chVert);
  chart.CrossHair3().SetPosX(100);  // x = 150
  Drag(148, 100);
  ASSERT_EQ(chart.MouseState().SelectedCrossHair, 3);
  Drag(160, 100);
  EXPECT_DOUBLE_EQ(chart.CrossHair3().PosX(), 110);
  EXPECT_DOUBLE_EQ(chart.CrossHair3().PosY(), 60);
}

TEST_F(MouseDragLabel, UnattachedLabelGetsThePointersPixels) {
  chart.SetMouseAction(maDragLabel);
  TTextLabel& label = chart.TextLabel(1);
  label.SetMode(tlsimple);
  label.SetVisible(true);
  label.SetAttachToData(tlamNone);
  label.SetPosX(200);
  label.SetPosY(50);
  std::vector<TTextLabel*> moved;
  chart.OnTextLabelMove = [&](TObject* sender, TTextLabel& which) {
    EXPECT_EQ(sender, &chart);
    moved.push_back(&which);
  };
  chart.Paints = 0;
  Drag(190, 55);
  EXPECT_TRUE(moved.empty());
  Drag(120, 80);
  EXPECT_EQ(label.PosX(), 120);
  EXPECT_EQ(label.PosY(), 80);
  EXPECT_EQ(moved, (std::vector<TTextLabel*>{&label}));
  EXPECT_EQ(chart.Paints, 1);
}

TEST_F(MouseDragLabel, AttachedCoordinatesBecomeWorldCoordinatesOfTheLabelsLayer) {
  chart.SetLayerRange(2, 0, 0, 210, 140);
  chart.SetMouseAction(maDragLabel);
  // Pixel (120, 90) is world (70, 70) in layer 2.
  const std::vector<std::pair<TTxtLblAttachMode, std::pair<double, double>>> cases{
      {tlamBoth, {70, 70}}, {tlamXOnly, {70, 90}}, {tlamYOnly, {120, 70}}};
  for (const auto& [attach, expected] : cases) {
    TTextLabel& label = chart.TextLabel(1);
    label.SetMode(tlBox);
    label.SetVisible(true);
    label.SetLayer(2);
    label.SetAttachToData(attach);
    Drag(100, 100);
    Drag(120, 90);
    Release(120, 90);
    EXPECT_DOUBLE_EQ(label.PosX(), expected.first) << int{attach};
    EXPECT_DOUBLE_EQ(label.PosY(), expected.second) << int{attach};
  }
}

TEST_F(MouseDragLabel, NearestShownLabelIsPicked) {
  chart.SetMouseAction(maDragLabel);
  auto place = [&](int index, double x, double y, TTxtLblMode mode, bool visible) {
    TTextLabel& label = chart.TextLabel(index);
    label.SetAttachToData(tlamNone);
    label.SetPosX(x);
    label.SetPosY(y);
    label.SetMode(mode);
    label.SetVisible(visible);
  };
  place(1, 250, 150, tlsimple, true);
  place(2, 101, 101, tlsimple, false);   // hidden
  place(3, 102.5, 100, tlShadow, true);  // rounds to 102 (ties to even)
  place(4, 100, 100, tlOff, true);       // off
  place(5, 97.5, 100, tlBox, true);      // rounds to 98: as near as label 3, but later
  Drag(100, 100);
  EXPECT_EQ(chart.MouseState().SelectedTextLabel, 3);
  Drag(90, 90);
  EXPECT_EQ(chart.TextLabel(3).PosX(), 90);
  EXPECT_EQ(chart.TextLabel(5).PosX(), 97.5);
}

TEST_F(MouseDragLabel, CapturedMouseFarOutsideKeepsTheLabelOnTheControl) {
  chart.SetMouseAction(maDragLabel);
  TTextLabel& label = chart.TextLabel(1);
  label.SetAttachToData(tlamNone);
  Drag(100, 100);
  Drag(std::numeric_limits<int>::max(), std::numeric_limits<int>::min());
  EXPECT_EQ(label.PosX(), 279);
  EXPECT_EQ(label.PosY(), 0);
}

}  // namespace
}  // namespace nox::test
