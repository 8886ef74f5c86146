// Text measuring of TCanvas with the pinned Liberation Sans files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/text_cache.h"

namespace nox {
namespace {

void SetArial(TCanvas& canvas, int height, TFontStyles style = {}) {
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(height);
  canvas.Font().SetStyle(style);
}

// Sum of the 26.6 advances the cache reports, rounded once: the width the drawing device gives.
long long SumOfAdvances26(const TFont& font, std::string_view characters) {
  detail::TextSession session(font);
  long long sum = 0;
  for (char c : characters) sum += session.Glyph(static_cast<unsigned char>(c)).advance;
  return sum;
}

TEST(TextMetrics, ArialCellHeightsMatchTheClassicDevice) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  SetArial(canvas, -13);
  EXPECT_EQ(canvas.TextHeight("0"), 15);
  SetArial(canvas, -15);
  EXPECT_EQ(canvas.TextHeight("0"), 17);
  SetArial(canvas, -11);
  EXPECT_EQ(canvas.TextHeight("0"), 12);
}

TEST(TextMetrics, PositiveHeightIsTheCellHeight) {
  TBitmap bitmap(10, 10);
  for (int cell : {9, 13, 15, 17, 24, 40}) {
    SetArial(bitmap.Canvas(), cell);
    EXPECT_EQ(bitmap.Canvas().TextHeight("x"), cell) << "Height " << cell;
  }
}

TEST(TextMetrics, HeightIsTheSameForEveryString) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  SetArial(canvas, -13);
  const int height = canvas.TextHeight("");
  EXPECT_EQ(canvas.TextHeight("g"), height);
  EXPECT_EQ(canvas.TextHeight("\xC3\x89quipe"), height);
  EXPECT_EQ(canvas.TextHeight(std::string(500, 'W')), height);
}

TEST(TextMetrics, WidthIsTheRoundedSumOfAdvancesNotTheSumOfRoundedWidths) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  SetArial(canvas, -13);
  // At 13 px a "1" advances 7.23 pixels: ten of them are 72 pixels, not 70.
  const std::string ones(10, '1');
  const long long sum = SumOfAdvances26(canvas.Font(), ones);
  EXPECT_EQ(canvas.TextWidth(ones), std::lround(static_cast<double>(sum) / 64.0));
  EXPECT_EQ(canvas.TextWidth(ones), 72);
  EXPECT_GT(canvas.TextWidth(ones), 10 * canvas.TextWidth("1"));
  EXPECT_EQ(canvas.TextWidth("0.00"), 25);
  EXPECT_EQ(canvas.TextWidth("1000"), 29);
}

TEST(TextMetrics, EmptyStringHasNoWidth) {
  TBitmap bitmap(10, 10);
  SetArial(bitmap.Canvas(), -13);
  EXPECT_EQ(bitmap.Canvas().TextWidth(""), 0);
  EXPECT_EQ(bitmap.Canvas().TextExtent(""), (TSize{0, 15}));
}

TEST(TextMetrics, BoldIsWiderThanRegular) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  SetArial(canvas, -13);
  const int regular = canvas.TextWidth("Temperature");
  SetArial(canvas, -13, {fsBold});
  EXPECT_GT(canvas.TextWidth("Temperature"), regular);
  EXPECT_EQ(canvas.TextHeight("T"), 15);
}

}  // namespace
}  // namespace nox
