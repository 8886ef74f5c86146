// Text drawn partly or wholly off the bitmap, at coordinates up to the ends of the int range,
// and at absurd sizes.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "tests/platform/text_test_support.h"

namespace nox {
namespace {

using text_test::ChangedBox;
using text_test::FontChoice;
using text_test::kBackground;
using text_test::SameAsPart;
using text_test::TextBitmap;

constexpr int kMargin = 40;

void Draw(TCanvas& canvas, unsigned align, int x, int y) {
  canvas.Brush().SetColor(clYellow);
  canvas.SetTextAlign(align);
  canvas.TextOut(x, y, "Wg 12.5");
}

TEST(TextClip, EdgesCutTheSamePixelsALargerBitmapShows) {
  // Drawn on a 30 x 20 bitmap at (x, y), the text shows exactly what a bitmap with a border of
  // `margin` pixels shows of the same text at (x + margin, y + margin).
  // Glyphs cut by every edge, and (at the larger sizes) glyphs wholly off the bitmap beside
  // glyphs on it, which are not rendered at all.
  for (const FontChoice& font : {FontChoice{-15, {fsUnderline}}, FontChoice{-37, {fsItalic}}}) {
    const int margin = font.height == -15 ? kMargin : 8 * kMargin;
    for (const TPoint p : {TPoint{-5, -5}, TPoint{-30, 3}, TPoint{20, 12}, TPoint{25, -10}, TPoint{-12, 15},
                           TPoint{-70, -20}, TPoint{29, 19}, TPoint{-150, 40}}) {
      for (unsigned align : {TA_LEFT | TA_TOP, TA_RIGHT | TA_BOTTOM, TA_CENTER | TA_BASELINE}) {
        TextBitmap small(font, 30, 20);
        Draw(small.Canvas(), align, p.X, p.Y);
        TextBitmap big(font, 30 + 2 * margin, 20 + 2 * margin);
        Draw(big.Canvas(), align, p.X + margin, p.Y + margin);
        EXPECT_TRUE(SameAsPart(small.bitmap, big.bitmap, margin, margin))
            << font.height << ": " << p.X << ", " << p.Y << " align " << align;
      }
    }
  }
}

TEST(TextClip, TextSweptAcrossEveryEdgeShowsWhatALargerBitmapShows) {
  // Pixel by pixel across each edge, so that a glyph left out one pixel too soon shows.
  const FontChoice font{-37, {fsItalic}};
  TextBitmap big(font, 30 + 2 * 200, 20 + 2 * 200);
  for (int i = -160; i <= 40; ++i) {
    for (const TPoint p : {TPoint{i, 2}, TPoint{2, i / 3 + 7}}) {
      TextBitmap small(font, 30, 20);
      Draw(small.Canvas(), TA_LEFT | TA_TOP, p.X, p.Y);
      big.bitmap.Fill(kBackground);
      Draw(big.Canvas(), TA_LEFT | TA_TOP, p.X + 200, p.Y + 200);
      ASSERT_TRUE(SameAsPart(small.bitmap, big.bitmap, 200, 200)) << p.X << ", " << p.Y;
    }
  }
}

TEST(TextClip, FarOffCoordinatesDrawNothing) {
  const int far[] = {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX - 1, INT_MAX};
  TextBitmap t({-13, {fsUnderline, fsStrikeOut}}, 40, 30);
  for (int x : far)
    for (int y : far)
      for (unsigned align : {TA_LEFT | TA_TOP, TA_RIGHT | TA_BOTTOM, TA_CENTER | TA_BASELINE}) {
        Draw(t.Canvas(), align, x, y);
        Draw(t.Canvas(), align, x, 5);  // visible rows, far columns
        Draw(t.Canvas(), align, 5, y);  // visible columns, far rows
      }
  EXPECT_TRUE(ChangedBox(t.bitmap, kBackground).IsEmpty());
}

TEST(TextClip, TextEndingJustInsideTheIntRangeStillShowsItsVisiblePart) {
  // Right-aligned at x = 10 the cell starts left of the bitmap; the part right of 0 is drawn.
  TextBitmap t({-13}, 40, 30);
  t.Canvas().Brush().SetColor(clYellow);
  t.Canvas().SetTextAlign(TA_RIGHT);
  t.Canvas().TextOut(10, 0, "1000000");
  EXPECT_EQ(ChangedBox(t.bitmap, kBackground), (TRect{0, 0, 10, 15}));
}

TEST(TextClip, NothingHappensOnAnEmptyBitmap) {
  TBitmap empty;
  empty.Canvas().Font().SetName("Arial");
  empty.Canvas().TextOut(0, 0, "12.5");
  EXPECT_GT(empty.Canvas().TextWidth("12.5"), 0);
  EXPECT_TRUE(empty.Empty());
}

TEST(TextClip, AbsurdHeightsAreClampedToAThousandPixels) {
  TBitmap bitmap(60, 40);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-1000);
  const TSize limit = canvas.TextExtent("W");
  for (int height : {-1001, -100000, INT_MIN}) {
    canvas.Font().SetHeight(height);
    EXPECT_EQ(canvas.TextExtent("W"), limit) << height;
  }
  canvas.Font().SetHeight(INT_MAX);
  EXPECT_EQ(canvas.TextHeight("W"), 1000);
  // A glyph of a thousand pixels, clipped to the small bitmap: the bitmap lies inside the H's left
  // stem (about x = 80 .. 170 of the cell, from row 217 down to the baseline at 905).
  canvas.Font().SetHeight(-1000);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(-100, -500, "H");
  EXPECT_EQ(text_test::CountPixels(bitmap, clBlack), 60 * 40);
}

TEST(TextClip, HeightZeroIsTheDefaultSize) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-11);  // 8 points at 96 pixels per inch
  const TSize expected = canvas.TextExtent("12.5");
  canvas.Font().SetHeight(0);
  EXPECT_EQ(canvas.TextExtent("12.5"), expected);
}

}  // namespace
}  // namespace nox
