// Pixels that TCanvas::TextOut puts on a bitmap, with the pinned Liberation Sans files.
#include <gtest/gtest.h>

#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "tests/platform/text_test_support.h"

namespace nox {
namespace {

using text_test::ChangedBox;
using text_test::CountPixels;
using text_test::kBackground;
using text_test::TextBitmap;

TEST(TextRender, InkLiesInsideTheCellAndReachesBothEnds) {
  for (const char* text : {"0.00", "H", "1000", "12.5", "-60"}) {
    TextBitmap t({-13});
    t.Canvas().TextOut(20, 10, text);
    const TRect ink = ChangedBox(t.bitmap, kBackground);
    const int width = t.Canvas().TextWidth(text);
    ASSERT_FALSE(ink.IsEmpty()) << text;
    EXPECT_GE(ink.Left, 20) << text;
    EXPECT_LE(ink.Right, 20 + width) << text;
    EXPECT_GE(ink.Top, 10) << text;
    EXPECT_LE(ink.Bottom, 10 + t.Canvas().TextHeight(text)) << text;
    // Side bearings are about a pixel at this size: the ink spans nearly the whole width.
    EXPECT_LE(ink.Left - 20, 2) << text;
    EXPECT_LE(20 + width - ink.Right, 2) << text;
  }
}

TEST(TextRender, BaselineIsAscentBelowTheTop) {
  TextBitmap t({-13});
  t.Canvas().TextOut(5, 10, "H");
  // A capital stands on the baseline: its last ink row is the last row of the ascent (12 rows).
  EXPECT_EQ(ChangedBox(t.bitmap, kBackground).Bottom, 10 + 12);
}

TEST(TextRender, SolidBrushFillsExactlyTheTextCell) {
  TextBitmap t({-13});
  t.Canvas().Brush().SetColor(clYellow);
  t.Canvas().TextOut(7, 5, "0.00");
  // Should be a yellow box of TextWidth x TextHeight at (7, 5) with black text on it, white around it.
  const TSize extent = t.Canvas().TextExtent("0.00");
  EXPECT_EQ(ChangedBox(t.bitmap, kBackground), (TRect{7, 5, 7 + extent.cx, 5 + extent.cy}));
  EXPECT_EQ(t.bitmap.Pixel(7, 5), clYellow);
  EXPECT_EQ(t.bitmap.Pixel(7 + extent.cx - 1, 5 + extent.cy - 1), clYellow);
  EXPECT_LT(CountPixels(t.bitmap, clYellow), extent.cx * extent.cy - 20);  // the ink on it
}

TEST(TextRender, ClearBrushLeavesTheBackground) {
  TextBitmap t({-13});
  t.bitmap.Fill(clAqua);
  t.Canvas().TextOut(5, 5, "H H");
  EXPECT_EQ(t.bitmap.Pixel(5, 5), clAqua);
  const int hWidth = t.Canvas().TextWidth("H");
  EXPECT_EQ(t.bitmap.Pixel(5 + hWidth + 1, 10), clAqua);  // in the gap of the blank
  // Only the ink of two letters (9 rows high, under 10 pixels wide each) changed.
  EXPECT_GT(CountPixels(t.bitmap, clAqua), 120 * 60 - 2 * 9 * 10);
}

TEST(TextRender, InkHasTheFontColour) {
  TextBitmap t({-40, {}, clRed});
  t.Canvas().TextOut(5, 5, "H");
  // The stems of a large H are fully covered: those pixels are exactly the font colour.
  EXPECT_GT(CountPixels(t.bitmap, clRed), 100);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      // Partly covered pixels are mixes of red and white: full red, equal green and blue.
      const TColor c = t.bitmap.Pixel(x, y);
      ASSERT_EQ(GetRValue(c), 0xFF);
      ASSERT_EQ(GetGValue(c), GetBValue(c));
    }
}

TEST(TextRender, CoverageBlendsOverTheBackground) {
  // Black text on a blue background: edge pixels are darker blues, never any other hue.
  TextBitmap t({-13});
  t.bitmap.Fill(clBlue);
  t.Canvas().TextOut(3, 3, "0.00");
  int mixed = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      const TColor c = t.bitmap.Pixel(x, y);
      ASSERT_EQ(GetRValue(c), 0);
      ASSERT_EQ(GetGValue(c), 0);
      mixed += (GetBValue(c) != 0 && GetBValue(c) != 0xFF) ? 1 : 0;
    }
  EXPECT_GT(mixed, 10);  // antialiased, not bilevel
}

TEST(TextRender, SystemColourIsResolved) {
  TextBitmap t({-40, {}, clGrayText});
  t.Canvas().TextOut(5, 5, "H");
  EXPECT_GT(CountPixels(t.bitmap, ColorToRGB(clGrayText)), 100);
  TextBitmap filled({-13});
  filled.Canvas().Brush().SetColor(clBtnFace);
  filled.Canvas().TextOut(0, 0, "1");
  EXPECT_EQ(filled.bitmap.Pixel(0, 0), ColorToRGB(clBtnFace));
}

TEST(TextRender, EmptyStringDrawsNothing) {
  TextBitmap t({-13});
  t.Canvas().Brush().SetColor(clYellow);
  t.Canvas().TextOut(5, 5, "");
  // An empty cell has no width, so not even the brush paints.
  EXPECT_EQ(CountPixels(t.bitmap, kBackground), 120 * 60);
}

TEST(TextRender, UnderlineSpansTheTextWidthBelowTheBaseline) {
  TextBitmap plain({-13});
  plain.Canvas().TextOut(10, 10, "0.00");
  TextBitmap underlined({-13, {fsUnderline}});
  underlined.Canvas().TextOut(10, 10, "0.00");
  const int width = underlined.Canvas().TextWidth("0.00");
  // Some row below the baseline (row 22) and inside the cell (up to row 24) is black from x = 10 to
  // 10 + width - 1 and nowhere else; everything above the baseline is as without underline.
  int lineRow = -1;
  for (int y = 22; y < 25; ++y)
    if (underlined.bitmap.Pixel(10, y) == clBlack && underlined.bitmap.Pixel(10 + width - 1, y) == clBlack)
      lineRow = y;
  ASSERT_NE(lineRow, -1);
  EXPECT_EQ(underlined.bitmap.Pixel(9, lineRow), kBackground);
  EXPECT_EQ(underlined.bitmap.Pixel(10 + width, lineRow), kBackground);
  for (int x = 10; x < 10 + width; ++x) EXPECT_EQ(underlined.bitmap.Pixel(x, lineRow), clBlack);
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 120; ++x) ASSERT_EQ(underlined.bitmap.Pixel(x, y), plain.bitmap.Pixel(x, y));
}

TEST(TextRender, StrikeoutCrossesTheMiddleOfSmallLetters) {
  TextBitmap t({-13, {fsStrikeOut}});
  t.Canvas().TextOut(10, 10, "--");
  TextBitmap plain({-13});
  plain.Canvas().TextOut(10, 10, "--");
  const int width = t.Canvas().TextWidth("--");
  // A full black row across the cell, above the baseline (row 22) and below the top of an "x" (row 16).
  int lineRow = -1;
  for (int y = 16; y < 22; ++y) {
    bool full = true;
    for (int x = 10; x < 10 + width; ++x) full = full && t.bitmap.Pixel(x, y) == clBlack;
    if (full) lineRow = y;
  }
  ASSERT_NE(lineRow, -1);
  EXPECT_EQ(t.bitmap.Pixel(9, lineRow), kBackground);
  EXPECT_EQ(t.bitmap.Pixel(10 + width, lineRow), kBackground);
  EXPECT_GT(CountPixels(plain.bitmap, kBackground), CountPixels(t.bitmap, kBackground));
}

TEST(TextRender, LinesAreAtLeastOnePixelAtTinySizes) {
  TextBitmap t({-4, {fsUnderline, fsStrikeOut}});
  t.Canvas().TextOut(2, 2, "WWWW");
  const int width = t.Canvas().TextWidth("WWWW");
  ASSERT_GT(width, 0);
  int fullRows = 0;
  for (int y = 2; y < 2 + t.Canvas().TextHeight("W"); ++y) {
    bool full = true;
    for (int x = 2; x < 2 + width; ++x) full = full && t.bitmap.Pixel(x, y) != kBackground;
    fullRows += full ? 1 : 0;
  }
  EXPECT_GE(fullRows, 1);
}

TEST(TextRender, ItalicLeansRight) {
  TextBitmap upright({-40});
  upright.Canvas().TextOut(10, 5, "l");
  TextBitmap italic({-40, {fsItalic}});
  italic.Canvas().TextOut(10, 5, "l");
  const auto inkLeftInRow = [](const TBitmap& b, int y) {
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != kBackground) return x;
    return -1;
  };
  // Near the top the italic stem is further right than near the baseline; the upright one is not.
  EXPECT_GT(inkLeftInRow(italic.bitmap, 12), inkLeftInRow(italic.bitmap, 38));
  EXPECT_EQ(inkLeftInRow(upright.bitmap, 12), inkLeftInRow(upright.bitmap, 38));
}

}  // namespace
}  // namespace nox
