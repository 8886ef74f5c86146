// Polygon on real pixels: even-odd fill at pixel centres, the closed outline, clipping and XOR.

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/pixel_helpers.h"
#include "support/reference_raster.h"

namespace nox {
namespace {

using test::CountColor;
using test::Extent;
using test::SameImage;

// Fills with a clear pen and compares with the per-pixel even-odd rule.
void ExpectFillMatchesReference(const std::vector<TPoint>& pts, int width, int height) {
  TBitmap b(width, height);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clRed);
  c.Polygon(pts);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(b.Pixel(x, y) == clRed, test::ReferencePolygonInside(pts, x, y)) << "pixel " << x << "," << y;
    }
  }
}

TEST(CanvasPolygon, SquareFillsLikeTheRectangleAndItsOutlineIncludesEveryVertex) {
  TBitmap b(14, 14);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clRed);
  const std::vector<TPoint> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  c.Polygon(square);
  EXPECT_EQ(Extent(b, clWhite), (TRect{0, 0, 10, 10}));
  EXPECT_EQ(CountColor(b, clRed), 100);
  c.Pen().SetStyle(psSolid);
  c.Polygon(square);
  EXPECT_EQ(Extent(b, clWhite), (TRect{0, 0, 11, 11}));
  EXPECT_EQ(CountColor(b, clBlack), 40);
  EXPECT_EQ(b.Pixel(10, 10), clBlack);
}

TEST(CanvasPolygon, ConcaveAndSelfIntersectingFillsFollowTheEvenOddRule) {
  ExpectFillMatchesReference({{2, 2}, {20, 2}, {20, 20}, {11, 8}, {2, 20}}, 24, 24);  // a notch
  ExpectFillMatchesReference({{12, 1}, {19, 22}, {1, 8}, {23, 8}, {5, 22}}, 24, 24);  // a star
  ExpectFillMatchesReference({{1, 1}, {22, 22}, {22, 1}, {1, 22}}, 24, 24);           // a bow tie
  // The star's pentagon in the middle is crossed twice: empty.
  TBitmap b(24, 24);
  b.Canvas().Pen().SetStyle(psClear);
  b.Canvas().Brush().SetColor(clRed);
  const std::vector<TPoint> star = {{12, 1}, {19, 22}, {1, 8}, {23, 8}, {5, 22}};
  b.Canvas().Polygon(star);
  EXPECT_EQ(b.Pixel(12, 12), clWhite);
  EXPECT_EQ(b.Pixel(12, 4), clRed);
}

TEST(CanvasPolygon, RandomPolygonsMatchTheEvenOddRule) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-6, 30);
  std::uniform_int_distribution<int> count(3, 9);
  for (int n = 0; n < 300; ++n) {
    std::vector<TPoint> pts(static_cast<std::size_t>(count(rng)));
    for (TPoint& p : pts) p = {coord(rng), coord(rng)};
    ExpectFillMatchesReference(pts, 25, 25);
  }
}

TEST(CanvasPolygon, HugeCoordinatesClipExactly) {
  ExpectFillMatchesReference({{-INT_MAX, -INT_MAX}, {INT_MAX, 3}, {-5, INT_MAX}}, 20, 20);
  ExpectFillMatchesReference({{INT_MIN, 10}, {INT_MAX, 0}, {INT_MAX, 20}}, 20, 20);
  ExpectFillMatchesReference({{7, INT_MIN}, {8, INT_MIN}, {13, INT_MAX}, {12, INT_MAX}}, 20, 20);
  TBitmap b(20, 20);
  b.Canvas().Polygon(std::vector<TPoint>{{-INT_MAX, -INT_MAX}, {INT_MAX, -INT_MAX}, {INT_MAX, INT_MAX}});
  EXPECT_GT(CountColor(b, clBlack), 0);  // the outline's diagonal crosses the bitmap
}

TEST(CanvasPolygon, DegeneratePolygons) {
  TBitmap b(10, 10);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Polygon(std::vector<TPoint>{});
  EXPECT_EQ(CountColor(b, clWhite), 100);
  c.Polygon(std::vector<TPoint>{{4, 4}});  // one point: its pixel
  EXPECT_EQ(CountColor(b, clBlack), 1);
  c.Polygon(std::vector<TPoint>{{1, 1}, {6, 1}});  // there and back: the segment with both ends
  EXPECT_EQ(CountColor(b, clBlack), 7);
  EXPECT_EQ(CountColor(b, clRed), 0);
}

// The star's edges cross each other; wide edges overlap at every vertex.
TEST(CanvasPolygon, XorOutlineFlipsEveryPixelOnceAndTwiceRestores) {
  const std::vector<TPoint> star = {{15, 1}, {24, 28}, {1, 10}, {29, 10}, {6, 28}};
  for (const int width : {1, 4}) {
    for (const TPenStyle style : {psSolid, psDot}) {
      const auto pen = [&](TPen& p) {
        p.SetStyle(style);
        p.SetWidth(width);
      };
      EXPECT_TRUE(test::XorRoundTrip(30, 30, pen, [&](TCanvas& c) { c.Polygon(star); }))
          << width << " " << style;
    }
  }
}

TEST(CanvasPolygon, DashedOutlineRunsAroundTheVertices) {
  TBitmap b(14, 14);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psDot);
  c.Brush().SetStyle(bsClear);
  c.Polygon(std::vector<TPoint>{{0, 0}, {12, 0}, {12, 12}, {0, 12}});
  // 48 steps around, 3 on and 3 off: 24 pixels, the pattern crossing each corner.
  EXPECT_EQ(CountColor(b, clBlack), 24);
  EXPECT_EQ(b.Pixel(12, 0), clBlack);  // position 12
  EXPECT_EQ(b.Pixel(12, 3), clWhite);  // position 15
  EXPECT_EQ(b.Pixel(0, 12), clBlack);  // position 36
}

}  // namespace
}  // namespace nox
