// Pixels that TCanvas::TextOut puts on a bitmap, with the pinned Liberation Sans files.
#include <gtest/gtest.h>

#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace nox {
namespace {

constexpr TColor kBackground = clWhite;

struct FontSpec {
  int height = -13;
  TFontStyles style = {};
  TColor color = clBlack;
};

FontSpec Arial(int height, TFontStyles style = {}, TColor color = clBlack) { return {height, style, color}; }

// Bounding box of the pixels that differ from a colour; empty when there are none.
TRect ChangedBox(const TBitmap& bitmap, TColor unchanged) {
  TRect box{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Pixel(x, y) != unchanged) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? TRect{} : box;
}

int CountPixels(const TBitmap& bitmap, TColor color) {
  int n = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.Pixel(x, y) == color ? 1 : 0;
  return n;
}

// A white bitmap whose canvas draws text in a clear brush with the given font.
struct TextBitmap {
  explicit TextBitmap(const FontSpec& font, int width = 120, int height = 60) : bitmap(width, height) {
    bitmap.Fill(kBackground);
    TFont& f = bitmap.Canvas().Font();
    f.SetName("Arial");
    f.SetHeight(font.height);
    f.SetStyle(font.style);
    f.SetColor(font.color);
    bitmap.Canvas().Brush().SetStyle(bsClear);
  }
  TCanvas& canvas() { return bitmap.Canvas(); }
  TBitmap bitmap;
};

TEST(TextRender, InkLiesInsideTheCellAndReachesBothEnds) {
  for (const char* text : {"0.00", "H", "1000", "12.5", "-60"}) {
    TextBitmap t(Arial(-13));
    t.canvas().TextOut(20, 10, text);
    const TRect ink = ChangedBox(t.bitmap, kBackground);
    const int width = t.canvas().TextWidth(text);
    ASSERT_FALSE(ink.IsEmpty()) << text;
    EXPECT_GE(ink.Left, 20) << text;
    EXPECT_LE(ink.Right, 20 + width) << text;
    EXPECT_GE(ink.Top, 10) << text;
    EXPECT_LE(ink.Bottom, 10 + t.canvas().TextHeight(text)) << text;
    // Side bearings are about a pixel at this size: the ink must span nearly the whole width.
    EXPECT_LE(ink.Left - 20, 2) << text;
    EXPECT_LE(20 + width - ink.Right, 2) << text;
  }
}

TEST(TextRender, SolidBrushFillsExactlyTheTextCell) {
  TextBitmap t(Arial(-13));
  t.canvas().Brush().SetColor(clYellow);
  t.canvas().TextOut(7, 5, "0.00");
  // Should be a yellow box of TextWidth x TextHeight at (7, 5) with black text on it, white around it.
  const TSize extent = t.canvas().TextExtent("0.00");
  EXPECT_EQ(ChangedBox(t.bitmap, kBackground), (TRect{7, 5, 7 + extent.cx, 5 + extent.cy}));
  EXPECT_EQ(t.bitmap.Pixel(7, 5), clYellow);
  EXPECT_EQ(t.bitmap.Pixel(7 + extent.cx - 1, 5 + extent.cy - 1), clYellow);
}

TEST(TextRender, ClearBrushLeavesTheBackground) {
  TextBitmap t(Arial(-13));
  t.bitmap.Fill(clAqua);
  t.canvas().TextOut(5, 5, "H H");
  // Between and around the letters the background stays untouched.
  EXPECT_EQ(t.bitmap.Pixel(5, 5), clAqua);
  const int hWidth = t.canvas().TextWidth("H");
  EXPECT_EQ(t.bitmap.Pixel(5 + hWidth + 1, 10), clAqua);
  EXPECT_GT(CountPixels(t.bitmap, clAqua), 120 * 60 - 3 * 9 * 11);
}

TEST(TextRender, InkHasTheFontColour) {
  TextBitmap t(Arial(-40, {}, clRed));
  t.canvas().TextOut(5, 5, "H");
  // The stems of a large H are fully covered: those pixels are exactly the font colour.
  EXPECT_GT(CountPixels(t.bitmap, clRed), 10);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      const TColor c = t.bitmap.Pixel(x, y);
      // Partly covered pixels are mixes of red and white: full red, equal green and blue.
      EXPECT_EQ(GetRValue(c), 0xFF);
      EXPECT_EQ(GetGValue(c), GetBValue(c));
    }
}

TEST(TextRender, SystemColourIsResolved) {
  TextBitmap t(Arial(-40, {}, clGrayText));
  t.canvas().TextOut(5, 5, "H");
  EXPECT_GT(CountPixels(t.bitmap, ColorToRGB(clGrayText)), 10);
}

TEST(TextRender, EmptyStringDrawsOnlyNothing) {
  TextBitmap t(Arial(-13));
  t.canvas().Brush().SetColor(clYellow);
  t.canvas().TextOut(5, 5, "");
  // An empty cell has no width: nothing changes.
  EXPECT_EQ(CountPixels(t.bitmap, kBackground), 120 * 60);
}

TEST(TextRender, RepeatedCallsGiveIdenticalPixels) {
  TextBitmap first(Arial(-13));
  first.canvas().TextOut(3, 4, "12.5 \xC3\xA9t\xC3\xA9 1000");
  for (int i = 0; i < 3; ++i) {
    TextBitmap again(Arial(-13));
    again.canvas().TextOut(3, 4, "12.5 \xC3\xA9t\xC3\xA9 1000");
    EXPECT_TRUE(SamePixels(first.bitmap, again.bitmap));
  }
}

}  // namespace
}  // namespace nox
