// Ellipse on real pixels: inside its box, symmetric, closed, thin boxes, huge boxes, pens and XOR.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <queue>
#include <set>
#include <utility>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/pixel_helpers.h"
#include "support/reference_raster.h"

namespace nox {
namespace {

using test::Ascii;
using test::CountColor;
using test::Extent;
using test::SameImage;

// Whether the black pixels form one 8-connected set.
bool EightConnected(const TBitmap& b) {
  const auto pixels = test::PixelsOf(b, clBlack);
  if (pixels.empty()) return true;
  std::set<std::pair<int, int>> left(pixels.begin(), pixels.end());
  std::queue<std::pair<int, int>> todo;
  todo.push(pixels.front());
  left.erase(pixels.front());
  while (!todo.empty()) {
    const auto [x, y] = todo.front();
    todo.pop();
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (left.erase({x + dx, y + dy}) != 0) todo.push({x + dx, y + dy});
      }
    }
  }
  return left.empty();
}

// Outline black, inside red: the canvas against the region and outline of the reference.
void ExpectMatchesReference(int left, int top, int right, int bottom, int width, int height) {
  TBitmap b(width, height);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Ellipse(left, top, right, bottom);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool outline = test::ReferenceEllipseOutline(left, top, right, bottom, x, y);
      const bool inside = test::ReferenceEllipseInside(left, top, right, bottom, x, y);
      const TColor expected = outline ? clBlack : (inside ? clRed : clWhite);
      ASSERT_EQ(b.Pixel(x, y), expected)
          << "box (" << left << "," << top << "," << right << "," << bottom << ") pixel " << x << "," << y;
    }
  }
}

TEST(CanvasEllipse, SmallCirclesHaveTheClassicShapes) {
  // '#' outline, 'o' the brush inside, '.' untouched.
  TBitmap b(8, 8);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Ellipse(0, 0, 3, 3);
  EXPECT_EQ(Ascii(b, {0, 0, 3, 3}, clWhite, clBlack), ".#.\n#o#\n.#.\n");
  b.Fill(clWhite);
  c.Ellipse(0, 0, 4, 4);
  EXPECT_EQ(Ascii(b, {0, 0, 4, 4}, clWhite, clBlack), ".##.\n#oo#\n#oo#\n.##.\n");
  b.Fill(clWhite);
  c.Ellipse(0, 0, 5, 5);
  EXPECT_EQ(Ascii(b, {0, 0, 5, 5}, clWhite, clBlack), ".###.\n#ooo#\n#ooo#\n#ooo#\n.###.\n");
  b.Fill(clWhite);
  c.Ellipse(0, 0, 2, 6);  // two wide: a full bar
  EXPECT_EQ(Ascii(b, {0, 0, 2, 6}, clWhite, clBlack), "##\n##\n##\n##\n##\n##\n");
}

TEST(CanvasEllipse, StaysInsideTouchesEverySideIsSymmetricAndClosed) {
  for (int w = 1; w <= 34; ++w) {
    for (int h = 1; h <= 34; ++h) {
      TBitmap b(40, 40);
      TCanvas& c = b.Canvas();
      c.Brush().SetStyle(bsClear);
      c.Ellipse(3, 2, 3 + w, 2 + h);
      ASSERT_EQ(Extent(b, clWhite), (TRect{3, 2, 3 + w, 2 + h})) << w << "x" << h;
      for (int y = 2; y < 2 + h; ++y) {
        for (int x = 3; x < 3 + w; ++x) {
          const TColor p = b.Pixel(x, y);
          ASSERT_EQ(p, b.Pixel(3 + w - 1 - (x - 3), y)) << w << "x" << h << " mirror x at " << x << "," << y;
          ASSERT_EQ(p, b.Pixel(x, 2 + h - 1 - (y - 2))) << w << "x" << h << " mirror y at " << x << "," << y;
        }
      }
      ASSERT_TRUE(EightConnected(b)) << w << "x" << h << "\n"
                                     << Ascii(b, {3, 2, 3 + w, 2 + h}, clWhite, clBlack);
    }
  }
}

TEST(CanvasEllipse, OutlineAndInsideFollowTheRegionRule) {
  for (int w = 1; w <= 24; ++w) {
    for (int h = 1; h <= 24; h += (h < 6 ? 1 : 5)) ExpectMatchesReference(2, 3, 2 + w, 3 + h, 30, 30);
  }
  // Partly outside the bitmap on every side.
  ExpectMatchesReference(-7, -5, 19, 13, 16, 10);
  ExpectMatchesReference(-300, 4, 330, 21, 30, 30);
}

TEST(CanvasEllipse, HugeBoxesCostTheirVisibleRowsAndKeepTheirShape) {
  // Far larger than the bitmap: only the visible rows are computed, and they agree with the
  // per-pixel rule (including the row above and below for the outline).
  ExpectMatchesReference(-100000, -40, 100020, 500, 40, 30);
  ExpectMatchesReference(-3000000, -2000000, 3000000, 25, 40, 30);
  // The whole int range: the bitmap sits at the centre, all inside.
  TBitmap b(16, 16);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Ellipse(-INT_MAX, -INT_MAX, INT_MAX, INT_MAX);
  EXPECT_EQ(CountColor(b, clRed), 256);
  b.Fill(clWhite);
  // A box whose top edge passes through the bitmap: the flat top of the outline (about 2^16
  // pixels to either side of the middle), the inside below it.
  c.Ellipse(-INT_MAX, 5, INT_MAX, INT_MAX);
  EXPECT_EQ(CountColor(b, clBlack), 16);
  EXPECT_EQ(CountColor(b, clRed), 16 * 10);
  EXPECT_EQ(Extent(b, clWhite), (TRect{0, 5, 16, 16}));
  b.Fill(clWhite);
  c.Pen().SetWidth(1000);
  c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // a wide outline far away from the bitmap
  EXPECT_EQ(CountColor(b, clRed), 256);
}

TEST(CanvasEllipse, ClearBrushLeavesTheInsideAndClearPenFillsTheRegion) {
  TBitmap b(20, 20);
  b.Fill(clBlue);
  TCanvas& c = b.Canvas();
  c.Brush().SetStyle(bsClear);
  c.Ellipse(2, 2, 18, 14);
  const int outline = CountColor(b, clBlack);
  EXPECT_GT(outline, 0);
  EXPECT_EQ(CountColor(b, clBlue), 400 - outline);
  b.Fill(clBlue);
  c.Brush().SetColor(clRed);
  c.Pen().SetStyle(psClear);
  c.Ellipse(2, 2, 18, 14);
  int region = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) region += test::ReferenceEllipseInside(2, 2, 18, 14, x, y) ? 1 : 0;
  }
  EXPECT_EQ(CountColor(b, clRed), region);
  EXPECT_EQ(CountColor(b, clBlack), 0);
}

TEST(CanvasEllipse, WidePenRingAndInsideFrame) {
  TBitmap b(40, 40);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.Pen().SetWidth(5);
  c.Ellipse(10, 10, 30, 26);
  EXPECT_EQ(Extent(b, clWhite), (TRect{8, 8, 32, 28}));  // centred: two pixels beyond each side
  // The ring is five pixels thick on the axes.
  std::string across;
  for (int x = 8; x < 32; ++x)
    across += b.Pixel(x, 18) == clBlack ? '#' : (b.Pixel(x, 18) == clRed ? 'o' : '.');
  EXPECT_EQ(across, "#####oooooooooooooo#####");
  EXPECT_TRUE(EightConnected(b));
  b.Fill(clWhite);
  c.Pen().SetStyle(psInsideFrame);
  c.Ellipse(10, 10, 30, 26);
  EXPECT_EQ(Extent(b, clWhite), (TRect{10, 10, 30, 26}));
}

TEST(CanvasEllipse, DashedOutlineCountsRowsWhereSteepFromTheRightmostPoint) {
  // Box 200 x 160: the middle rows are 81 and 82; the quarter from the right to the top starts on
  // row 81 and is steep (one pixel per row) for about 50 rows.
  TBitmap dashed(206, 166), solid(206, 166);
  dashed.Canvas().Pen().SetStyle(psDash);
  for (TBitmap* b : {&dashed, &solid}) {
    b->Canvas().Brush().SetStyle(bsClear);
    b->Canvas().Ellipse(2, 2, 202, 162);
  }
  for (int k = 0; k < 45; ++k) {
    const int y = 81 - k;
    int x = 205;
    while (solid.Pixel(x, y) != clBlack) --x;  // the outline's right pixel in this row
    EXPECT_EQ(dashed.Pixel(x, y) == clBlack, k % 24 < 18) << "row " << y;
  }
  // Only outline pixels are painted, about 18 of every 24.
  const int on = CountColor(dashed, clBlack), all = CountColor(solid, clBlack);
  EXPECT_NEAR(static_cast<double>(on) / all, 0.75, 0.03);
  for (const auto& [x, y] : test::PixelsOf(dashed, clBlack)) EXPECT_EQ(solid.Pixel(x, y), clBlack);
}

TEST(CanvasEllipse, XorFlipsEveryPixelOnceAndTwiceRestores) {
  for (const TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame}) {
    for (const int width : {1, 2, 3, 7}) {
      const auto pen = [&](TPen& p) {
        p.SetStyle(style);
        p.SetWidth(width);
      };
      EXPECT_TRUE(test::XorRoundTrip(40, 30, pen, [](TCanvas& c) { c.Ellipse(-5, 3, 35, 28); }))
          << style << " " << width;
      EXPECT_TRUE(test::XorRoundTrip(12, 30, pen, [](TCanvas& c) { c.Ellipse(4, 2, 6, 27); }))
          << style << " " << width;
    }
  }
}

}  // namespace
}  // namespace nox
