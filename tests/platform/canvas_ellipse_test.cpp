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

TEST(CanvasEllipse, DashedOutlineAlternatesAlongTheCurve) {
  TBitmap b(70, 50);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psDash);
  c.Brush().SetStyle(bsClear);
  c.Ellipse(2, 2, 66, 46);
  TBitmap solid(70, 50);
  solid.Canvas().Brush().SetStyle(bsClear);
  solid.Canvas().Ellipse(2, 2, 66, 46);
  const int on = CountColor(b, clBlack), all = CountColor(solid, clBlack);
  // Dashes cover about 18 of every 24 outline pixels, and only outline pixels.
  EXPECT_NEAR(static_cast<double>(on) / all, 0.75, 0.06);
  for (const auto& [x, y] : test::PixelsOf(b, clBlack)) EXPECT_EQ(solid.Pixel(x, y), clBlack);
  // The pattern starts at the rightmost point: the middle row's right pixel is on.
  EXPECT_EQ(b.Pixel(65, 23), clBlack);
}

TEST(CanvasEllipse, XorTwiceRestoresForEveryStyleAndWidth) {
  for (const TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame}) {
    for (const int width : {1, 2, 3, 7}) {
      TBitmap b(40, 30);
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x)
          b.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 6), 70, static_cast<std::uint8_t>(y * 8)));
      }
      TBitmap before(40, 30);
      before.Assign(b);
      TCanvas& c = b.Canvas();
      c.Pen().SetStyle(style);
      c.Pen().SetWidth(width);
      c.Pen().SetMode(pmXor);
      c.Pen().SetColor(clAqua);
      c.Brush().SetStyle(bsClear);
      c.Ellipse(-5, 3, 35, 28);
      TBitmap copy(40, 30);
      copy.Canvas().Pen().SetStyle(style);
      copy.Canvas().Pen().SetWidth(width);
      copy.Canvas().Brush().SetStyle(bsClear);
      copy.Canvas().Ellipse(-5, 3, 35, 28);
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
          ASSERT_EQ(b.Pixel(x, y) != before.Pixel(x, y), copy.Pixel(x, y) == clBlack) << x << "," << y;
        }
      }
      c.Ellipse(-5, 3, 35, 28);
      EXPECT_TRUE(SameImage(before, b)) << style << " " << width;
    }
  }
}

}  // namespace
}  // namespace nox
