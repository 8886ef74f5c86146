// Figures and arrows: corners covered by widening, the point test, clear brushes, the frame styles
// of 3-D frames, the faces of 3-D bars, arcs, cross marks and arrow heads.

#include "chart/render_fixture.h"

namespace nox::test {
namespace {

class RenderShapes : public RenderTest {
 protected:
  RenderShapes() { chart.SetChartFrameColor(clWhite); }
};

// Both corners are covered (the canvas leaves out the right and bottom edge, the renderer widens);
// Flag leaves the inside clear; equal corners give one pixel in the pen colour.
TEST_F(RenderShapes, RectanglesCoverBothCornersAndFlagClearsTheBrush) {
  Add(Item(ikRect, 20, 20, 40, 40));
  TgfChartItem clear = Item(ikRect, 60, 20, 80, 40);
  clear.Flag = 1;
  Add(clear);
  TgfChartItem point = Item(ikRect, 100, 100, 100.2, 99.8);
  point.Color = clRed;
  Add(point);
  Render();
  EXPECT_EQ(image.Pixel(20, PixelY(20)), clBlack);
  EXPECT_EQ(image.Pixel(40, PixelY(40)), clBlack);
  EXPECT_EQ(image.Pixel(41, PixelY(20)), clWhite);
  EXPECT_EQ(image.Pixel(30, PixelY(30)), clSilver);
  EXPECT_EQ(image.Pixel(80, PixelY(20)), clBlack);
  EXPECT_EQ(image.Pixel(70, PixelY(30)), clWhite);
  EXPECT_EQ(CountColor(image, clRed), 1);
}

struct TFrameCase {
  TFrameStyle Style;
  TColor Left, InnerLeft, Top, Right, Bottom;
};

class RenderFrameStyles : public RenderShapes, public ::testing::WithParamInterface<TFrameCase> {};

// The face in the fill colour, the frame in FrameColor1 (red) and FrameColor2 (blue) by style.
TEST_P(RenderFrameStyles, FramesTakeTheirColoursByStyle) {
  const TFrameCase c = GetParam();
  TgfChartItem frame = Item(ikFrame3D, 20, 20, 40, 40);  // canvas x 20..40, y 160 (top)..180
  frame.FrameColor1 = clRed;
  frame.FrameColor2 = clBlue;
  frame.Style = c.Style;
  Add(frame);
  Render();
  EXPECT_EQ(image.Pixel(20, 170), c.Left);
  EXPECT_EQ(image.Pixel(21, 170), c.InnerLeft);
  EXPECT_EQ(image.Pixel(30, 160), c.Top);
  EXPECT_EQ(image.Pixel(40, 170), c.Right);
  EXPECT_EQ(image.Pixel(30, 180), c.Bottom);
  EXPECT_EQ(image.Pixel(30, 170), clSilver);
}

INSTANTIATE_TEST_SUITE_P(Styles, RenderFrameStyles,
                         ::testing::Values(TFrameCase{fsLowered, clRed, clSilver, clRed, clBlue, clBlue},
                                           TFrameCase{fsRaised, clBlue, clSilver, clBlue, clRed, clRed},
                                           TFrameCase{fsEmbossed, clBlue, clRed, clBlue, clRed, clRed},
                                           TFrameCase{fsEngraved, clRed, clBlue, clRed, clBlue, clBlue},
                                           TFrameCase{fsSimple, clSilver, clSilver, clSilver, clWhite,
                                                      clWhite}));

// The top face recedes up and to the right at 45 degrees, the side face right of the front; above
// 90 degrees the side face is on the left. The faces are filled even when the item before left the
// brush clear.
TEST_F(RenderShapes, BarsHaveAFrontATopAndASideFace) {
  TgfChartItem clear = Item(ikRect, 0, 0, 10, 10);
  clear.Flag = 1;
  Add(clear);
  TgfChartItem bar = Item(ikBar3D, 20, 100, 40, 20);
  bar.Param1 = 45;
  bar.Param2 = 10;
  bar.FillColor = clRed;
  Add(bar);
  TgfChartItem left = bar;
  left.X1 = 120;
  left.X2 = 140;
  left.Param1 = 135;
  Add(left);
  Render();
  EXPECT_EQ(image.Pixel(30, PixelY(60)), clRed);   // front
  EXPECT_EQ(image.Pixel(33, PixelY(104)), clRed);  // top face
  EXPECT_EQ(image.Pixel(44, PixelY(60)), clRed);   // side face
  EXPECT_EQ(image.Pixel(49, PixelY(60)), clWhite);
  EXPECT_EQ(image.Pixel(116, PixelY(60)), clRed);  // side face on the left
  EXPECT_EQ(image.Pixel(144, PixelY(60)), clWhite);
}

// An ellipse fills the box of its half-axes, an arc of the same box runs counter-clockwise from the
// first angle to the second, a pixel rectangle takes its half sizes in pixels.
TEST_F(RenderShapes, EllipsesArcsAndPixelRectanglesFillTheirBoxes) {
  Add(Item(ikEllipse, 50, 100, 20, 10));
  TgfChartItem arc = Item(ikArc, 150, 100, 20, 20);
  arc.Param2 = 157079633;  // 0 to 90 degrees (rounded up): the upper right quarter
  Add(arc);
  TgfChartItem rect = Item(ikPixelRect, 100, 30);
  rect.Param1 = 10;
  rect.Param2 = 5;
  Add(rect);
  Render();
  EXPECT_EQ(image.Pixel(30, 100), clBlack);
  EXPECT_EQ(image.Pixel(70, 100), clBlack);
  EXPECT_EQ(image.Pixel(50, 100), clSilver);
  EXPECT_EQ(image.Pixel(71, 100), clWhite);
  EXPECT_EQ(image.Pixel(170, 100), clBlack);
  EXPECT_EQ(image.Pixel(150, 80), clBlack);
  EXPECT_EQ(image.Pixel(130, 100), clWhite);
  EXPECT_EQ(image.Pixel(150, 120), clWhite);
  EXPECT_EQ(image.Pixel(90, PixelY(30) - 5), clBlack);
  EXPECT_EQ(image.Pixel(110, PixelY(30) + 5), clBlack);
  EXPECT_EQ(image.Pixel(111, PixelY(30) + 5), clWhite);
}

// A cross mark with pixel half-extents; a following line-to starts at its centre.
TEST_F(RenderShapes, CrossMarksAreCentredAndMoveTheLineStart) {
  TgfChartItem cross = Item(ikCrossMark, 100, 100, 5, 5);
  cross.CoordMode = 2;
  Annotate(cross);
  Annotate(Item(ikLineTo, 100, 20));
  Render();
  EXPECT_EQ(image.Pixel(100, 95), clBlack);
  EXPECT_EQ(image.Pixel(100, 105), clBlack);
  EXPECT_EQ(image.Pixel(95, 100), clBlack);
  EXPECT_EQ(image.Pixel(105, 100), clBlack);
  EXPECT_EQ(image.Pixel(96, 96), clWhite);
  EXPECT_EQ(image.Pixel(100, 150), clBlack);  // the line to (100, 180)
}

// Param1 0: only the shaft. A downward arrow (alpha = pi) has its head's corners above the tip,
// 20 degrees either side; ikArrowBoth with Flag draws four head lines, two from each end.
TEST_F(RenderShapes, ArrowHeadsPointAlongTheShaft) {
  TgfChartItem shaft = Item(ikArrow, 20, 50, 20, 150);
  shaft.CoordMode = 1;
  Annotate(shaft);
  TgfChartItem filled = shaft;
  filled.X1 = filled.X2 = 60;
  filled.Param1 = 10;
  filled.FillColor = clRed;
  Annotate(filled);
  TgfChartItem both = shaft;
  both.Kind = ikArrowBoth;
  both.X1 = both.X2 = 100;
  both.Param1 = 10;
  both.Flag = 1;
  Annotate(both);
  Render();
  const auto blackIn = [&](int left, int right) {
    int n = 0;
    for (int y = 1; y < kArea; ++y) {
      for (int x = left; x <= right; ++x) n += image.Pixel(x, y) == clBlack;
    }
    return n;
  };
  EXPECT_EQ(blackIn(10, 30), 100);  // (20, 50) .. (20, 149)
  // The shaft and four head lines of 9 pixels, whose first two pixels lie on the shaft's line; the
  // tip at the end, which the shaft leaves out, comes with the heads.
  EXPECT_EQ(blackIn(90, 110), 100 + 4 * 7 + 1);
  EXPECT_EQ(image.Pixel(59, 147), clBlack);  // filled head: outline
  EXPECT_EQ(image.Pixel(60, 144), clRed);    // and inside
  EXPECT_EQ(image.Pixel(99, 147), clBlack);  // open head at the end
  EXPECT_EQ(image.Pixel(101, 147), clBlack);
  EXPECT_EQ(image.Pixel(99, 53), clBlack);  // and at the start
  EXPECT_EQ(image.Pixel(101, 53), clBlack);
  EXPECT_EQ(image.Pixel(101, 143), clWhite);  // open: nothing between shaft and head lines
}

}  // namespace
}  // namespace nox::test
