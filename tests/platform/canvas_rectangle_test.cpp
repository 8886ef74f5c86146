// Rectangle and FillRect on real pixels: edges left out, outline and inside, wide and dashed pens.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/pixel_helpers.h"

namespace nox {
namespace {

using test::Ascii;
using test::CountColor;
using test::Extent;
using test::SameImage;

TEST(CanvasRectangle, CoversLeftTopThroughRightBottomMinusOne) {
  TBitmap b(14, 14);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(Extent(b, clWhite), (TRect{0, 0, 10, 10}));
  EXPECT_EQ(CountColor(b, clBlack), 36);  // the frame
  EXPECT_EQ(CountColor(b, clRed), 64);    // the inside
  EXPECT_EQ(b.Pixel(9, 9), clBlack);
  EXPECT_EQ(b.Pixel(5, 5), clRed);
}

TEST(CanvasRectangle, CornersInAnyOrderGiveTheSameFigure) {
  TBitmap a(20, 20), b(20, 20);
  a.Canvas().Rectangle(3, 4, 15, 12);
  b.Canvas().Rectangle(15, 12, 3, 4);
  EXPECT_TRUE(SameImage(a, b));
  b.Fill(clWhite);
  b.Canvas().Rectangle(15, 4, 3, 12);
  EXPECT_TRUE(SameImage(a, b));
}

TEST(CanvasRectangle, ThinAndEmptyBoxes) {
  TBitmap b(10, 10);
  TCanvas& c = b.Canvas();
  c.Rectangle(2, 2, 2, 8);  // no width: nothing
  c.Rectangle(2, 2, 8, 2);
  EXPECT_EQ(CountColor(b, clBlack), 0);
  c.Rectangle(1, 1, 2, 6);  // one pixel wide: a column of 5
  EXPECT_EQ(CountColor(b, clBlack), 5);
  c.Rectangle(3, 1, 9, 2);  // one pixel high: a row of 6
  EXPECT_EQ(CountColor(b, clBlack), 11);
  c.Rectangle(5, 5, 6, 6);  // a single pixel
  EXPECT_EQ(CountColor(b, clBlack), 12);
}

TEST(CanvasRectangle, ClearBrushLeavesTheInsideAndClearPenFillsTheWholeBox) {
  TBitmap b(12, 12);
  b.Fill(clBlue);
  TCanvas& c = b.Canvas();
  c.Brush().SetStyle(bsClear);
  c.Rectangle(1, 1, 11, 11);
  EXPECT_EQ(CountColor(b, clBlack), 36);
  EXPECT_EQ(CountColor(b, clBlue), 144 - 36);
  b.Fill(clBlue);
  c.Brush().SetColor(clRed);  // solid again
  c.Pen().SetStyle(psClear);
  c.Rectangle(1, 1, 11, 11);
  EXPECT_EQ(CountColor(b, clRed), 100);
  EXPECT_EQ(Extent(b, clBlue), (TRect{1, 1, 11, 11}));
}

TEST(CanvasRectangle, WidePenIsCentredOnTheFrameAndInsideFrameKeepsItInTheBox) {
  TBitmap b(30, 30);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Pen().SetWidth(3);
  c.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(Extent(b, clWhite), (TRect{9, 9, 21, 21}));
  EXPECT_EQ(CountColor(b, clRed), 6 * 6);
  b.Fill(clWhite);
  c.Pen().SetWidth(4);  // even: two outside on the left and top, one on the right and bottom
  c.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(Extent(b, clWhite), (TRect{8, 8, 21, 21}));
  EXPECT_EQ(CountColor(b, clRed), 5 * 5);
  b.Fill(clWhite);
  c.Pen().SetStyle(psInsideFrame);
  c.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(Extent(b, clWhite), (TRect{10, 10, 20, 20}));
  EXPECT_EQ(CountColor(b, clBlack), 100 - 4);
  EXPECT_EQ(CountColor(b, clRed), 4);
}

TEST(CanvasRectangle, DashedFrameRunsClockwiseFromTheTopLeft) {
  TBitmap b(12, 8);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psDot);
  c.Brush().SetStyle(bsClear);
  c.Rectangle(0, 0, 10, 6);
  // Path positions: top 0..9, right 10..14, bottom 15..23 (right to left), left 24..27 (upward);
  // dots are on at positions 0-2, 6-8, 12-14, 18-20, 24-26.
  EXPECT_EQ(Ascii(b, {0, 0, 10, 6}, clWhite, clBlack),
            "###...###.\n"
            "..........\n"
            "#.........\n"
            "#........#\n"
            "#........#\n"
            "...###...#\n");
}

// Corners and the ends of wide frames are flipped once.
TEST(CanvasRectangle, XorFlipsEveryPixelOnceAndTwiceRestores) {
  for (const TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame}) {
    for (const int width : {1, 2, 5}) {
      const auto pen = [&](TPen& p) {
        p.SetStyle(style);
        p.SetWidth(width);
      };
      EXPECT_TRUE(test::XorRoundTrip(40, 30, pen, [](TCanvas& c) { c.Rectangle(-3, 5, 33, 25); }))
          << style << " " << width;
      EXPECT_TRUE(test::XorRoundTrip(10, 10, pen, [](TCanvas& c) { c.Rectangle(2, 2, 3, 8); }))
          << style << " " << width;
    }
  }
}

TEST(CanvasRectangle, HugeBoxesClipWithoutWalkingTheirEdges) {
  TBitmap b(20, 20);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Rectangle(-INT_MAX, -INT_MAX, INT_MAX, INT_MAX);
  EXPECT_EQ(CountColor(b, clRed), 400);
  c.Rectangle(INT_MIN, 5, INT_MAX, 15);  // frame rows 5 and 14 cross the bitmap
  EXPECT_EQ(CountColor(b, clBlack), 40);
  c.Pen().SetWidth(INT_MAX);  // a frame thicker than the box leaves no inside
  c.Rectangle(-100, -100, 100, 100);
  EXPECT_EQ(CountColor(b, clBlack), 400);
  c.Rectangle(-INT_MAX, -INT_MAX, INT_MAX, INT_MAX);  // its inside begins 2^30 from each edge
  EXPECT_EQ(CountColor(b, clRed), 400);
  b.Fill(clWhite);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psDash);
  c.Rectangle(-INT_MAX, 3, INT_MAX, INT_MAX);  // dashed top edge far from its start
  EXPECT_GT(CountColor(b, clBlack), 0);
  EXPECT_LT(CountColor(b, clBlack), 20);
}

TEST(CanvasFillRect, FillsHalfOpenRectWithTheBrushOnly) {
  TBitmap b(10, 10);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clGreen);
  c.Pen().SetColor(clRed);
  c.FillRect({2, 3, 6, 5});
  EXPECT_EQ(Extent(b, clWhite), (TRect{2, 3, 6, 5}));
  EXPECT_EQ(CountColor(b, clGreen), 8);
  c.FillRect({8, 8, 4, 4});  // inverted: empty
  c.FillRect({-INT_MAX, 9, INT_MAX, INT_MAX});
  EXPECT_EQ(CountColor(b, clGreen), 18);
  c.Brush().SetStyle(bsClear);
  c.FillRect({0, 0, 10, 10});
  EXPECT_EQ(CountColor(b, clGreen), 18);
}

}  // namespace
}  // namespace nox
