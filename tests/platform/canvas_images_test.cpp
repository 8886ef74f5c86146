// Draw, StretchDraw and CopyRect: clipped copies, nearest-pixel scaling, degenerate rectangles.

#include <gtest/gtest.h>

#include <climits>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/pixel_helpers.h"

namespace nox {
namespace {

using test::CountColor;
using test::SameImage;

// A colour that names its pixel, so that a copy shows where every pixel came from.
TColor Tag(int x, int y) { return RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 77); }

void Tagged(TBitmap& b) {
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, Tag(x, y));
  }
}

TEST(CanvasImages, DrawCopiesAtAPointClipped) {
  TBitmap source(6, 4);
  Tagged(source);
  TBitmap b(10, 10);
  b.Canvas().Draw(7, -1, source);  // only columns 0..2 and rows 1..3 of the source land
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool covered = x >= 7 && y <= 2;
      EXPECT_EQ(b.Pixel(x, y), covered ? Tag(x - 7, y + 1) : clWhite) << x << "," << y;
    }
  }
  b.Canvas().Draw(INT_MAX, INT_MAX, source);
  b.Canvas().Draw(INT_MIN, INT_MIN, source);
  EXPECT_EQ(CountColor(b, clWhite), 100 - 9);
}

TEST(CanvasImages, DrawOntoItselfReadsTheOldPixels) {
  TBitmap b(8, 8), expected(8, 8);
  Tagged(b);
  Tagged(expected);
  for (int y = 2; y < 8; ++y) {
    for (int x = 3; x < 8; ++x) expected.SetPixel(x, y, Tag(x - 3, y - 2));
  }
  b.Canvas().Draw(3, 2, b);
  EXPECT_TRUE(SameImage(expected, b));
}

TEST(CanvasImages, StretchDrawTakesTheNearestPixel) {
  TBitmap source(2, 2);
  Tagged(source);
  TBitmap b(10, 10);
  b.Canvas().StretchDraw({1, 1, 5, 7}, source);  // 2x in x, 3x in y
  for (int y = 1; y < 7; ++y) {
    for (int x = 1; x < 5; ++x) EXPECT_EQ(b.Pixel(x, y), Tag((x - 1) / 2, (y - 1) / 3)) << x << "," << y;
  }
  EXPECT_EQ(CountColor(b, clWhite), 100 - 24);
  // Shrinking samples the pixel under each destination centre.
  TBitmap wide(9, 1);
  Tagged(wide);
  TBitmap small(3, 1);
  small.Canvas().StretchDraw({0, 0, 3, 1}, wide);
  EXPECT_EQ(small.Pixel(0, 0), Tag(1, 0));
  EXPECT_EQ(small.Pixel(1, 0), Tag(4, 0));
  EXPECT_EQ(small.Pixel(2, 0), Tag(7, 0));
}

TEST(CanvasImages, StretchDrawDegenerateAndHugeRectangles) {
  TBitmap source(4, 4);
  Tagged(source);
  TBitmap b(10, 10);
  b.Canvas().StretchDraw({5, 5, 5, 9}, source);  // empty
  b.Canvas().StretchDraw({8, 8, 2, 2}, source);  // inverted: empty
  EXPECT_EQ(CountColor(b, clWhite), 100);
  // Stretched over the whole int range: the bitmap sees the source pixel at the middle.
  b.Canvas().StretchDraw({-INT_MAX, -INT_MAX, INT_MAX, INT_MAX}, source);
  EXPECT_EQ(CountColor(b, Tag(2, 2)), 100);
  TBitmap empty;
  b.Canvas().StretchDraw({0, 0, 10, 10}, empty);
  EXPECT_EQ(CountColor(b, Tag(2, 2)), 100);
}

TEST(CanvasImages, CopyRectScalesBetweenRectanglesAndKeepsPixelsOutsideTheSource) {
  TBitmap source(8, 8);
  Tagged(source);
  TBitmap b(10, 10);
  b.Canvas().CopyRect({0, 0, 4, 4}, source.Canvas(), {2, 3, 6, 7});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.Pixel(x, y), Tag(x + 2, y + 3));
  }
  // A source rectangle reaching beyond the source: those destination pixels stay as they were.
  b.Fill(clWhite);
  b.Canvas().CopyRect({0, 0, 6, 6}, source.Canvas(), {5, 5, 11, 11});
  EXPECT_EQ(b.Pixel(2, 2), Tag(7, 7));
  EXPECT_EQ(b.Pixel(3, 3), clWhite);
  EXPECT_EQ(CountColor(b, clWhite), 100 - 9);
  // Huge rectangles are safe: equal ones copy pixel for pixel; a huge source squeezed into the
  // bitmap samples points far outside the source, which leaves the destination alone.
  b.Canvas().CopyRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, source.Canvas(),
                      {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(b.Pixel(5, 5), Tag(5, 5));
  EXPECT_EQ(b.Pixel(9, 9), clWhite);
  b.Canvas().CopyRect({0, 0, 10, 10}, source.Canvas(), {-INT_MAX, -INT_MAX, INT_MAX, INT_MAX});
  EXPECT_EQ(b.Pixel(5, 5), Tag(5, 5));
  EXPECT_EQ(b.Pixel(9, 9), clWhite);
}

TEST(CanvasImages, CopyRectWithinOneCanvasReadsTheOldPixels) {
  TBitmap b(8, 8), expected(8, 8);
  Tagged(b);
  Tagged(expected);
  for (int y = 1; y < 5; ++y) {
    for (int x = 1; x < 5; ++x) expected.SetPixel(x, y, Tag(x + 1, y + 1));
  }
  b.Canvas().CopyRect({1, 1, 5, 5}, b.Canvas(), {2, 2, 6, 6});
  EXPECT_TRUE(SameImage(expected, b));
}

}  // namespace
}  // namespace nox
