// The text alignment flags of TCanvas and the current position with TA_UPDATECP.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "tests/platform/text_test_support.h"

namespace nox {
namespace {

using text_test::ChangedBox;
using text_test::kBackground;
using text_test::TextBitmap;

constexpr const char* kText = "137.5";

// Draws kText with a solid brush (so the cell shows) at (x, y) with the given alignment.
std::unique_ptr<TextBitmap> Drawn(unsigned align, int x, int y) {
  auto t = std::make_unique<TextBitmap>(text_test::FontChoice{-13}, 160, 80);
  t->Canvas().Brush().SetColor(clYellow);
  t->Canvas().SetTextAlign(align);
  t->Canvas().TextOut(x, y, kText);
  return t;
}

// Width and height of kText.
TSize Extent() {
  TextBitmap t({-13});
  return t.Canvas().TextExtent(kText);
}

TEST(TextAlign, LeftTopIsTheDefault) {
  TBitmap bitmap(10, 10);
  EXPECT_EQ(bitmap.Canvas().TextAlign(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const TSize extent = Extent();
  EXPECT_EQ(ChangedBox(Drawn(TA_LEFT | TA_TOP, 40, 30)->bitmap, kBackground),
            (TRect{40, 30, 40 + extent.cx, 30 + extent.cy}));
}

TEST(TextAlign, RightEndsTheCellAtX) {
  const TSize extent = Extent();
  const auto t = Drawn(TA_RIGHT, 80, 30);
  EXPECT_EQ(ChangedBox(t->bitmap, kBackground), (TRect{80 - extent.cx, 30, 80, 30 + extent.cy}));
  EXPECT_TRUE(SamePixels(t->bitmap, Drawn(TA_LEFT, 80 - extent.cx, 30)->bitmap));
}

TEST(TextAlign, CenterPutsHalfTheWidthLeftOfX) {
  const int width = Extent().cx;
  ASSERT_EQ(width % 2, 1);  // an odd width: the left part is the smaller one
  const auto t = Drawn(TA_CENTER, 80, 30);
  EXPECT_EQ(ChangedBox(t->bitmap, kBackground).Left, 80 - width / 2);
  EXPECT_TRUE(SamePixels(t->bitmap, Drawn(TA_LEFT, 80 - width / 2, 30)->bitmap));
}

TEST(TextAlign, BottomEndsTheCellAtY) {
  const TSize extent = Extent();
  const auto t = Drawn(TA_BOTTOM, 40, 50);
  EXPECT_EQ(ChangedBox(t->bitmap, kBackground), (TRect{40, 50 - extent.cy, 40 + extent.cx, 50}));
  EXPECT_TRUE(SamePixels(t->bitmap, Drawn(TA_TOP, 40, 50 - extent.cy)->bitmap));
}

TEST(TextAlign, BaselinePutsTheBaselineAtY) {
  TextBitmap t({-13}, 160, 80);
  t.Canvas().SetTextAlign(TA_BASELINE);
  t.Canvas().TextOut(40, 50, "H");
  // The capital's last row lies just above y; with Arial 13 px the ascent is 12 rows.
  EXPECT_EQ(ChangedBox(t.bitmap, kBackground).Bottom, 50);
  EXPECT_TRUE(SamePixels(Drawn(TA_BASELINE, 40, 50)->bitmap, Drawn(TA_TOP, 40, 50 - 12)->bitmap));
}

TEST(TextAlign, HorizontalAndVerticalFlagsCombine) {
  const TSize extent = Extent();
  EXPECT_TRUE(SamePixels(Drawn(TA_RIGHT | TA_BOTTOM, 100, 60)->bitmap,
                         Drawn(TA_LEFT | TA_TOP, 100 - extent.cx, 60 - extent.cy)->bitmap));
}

TEST(TextAlign, UpdateCpDrawsAtThePenPositionAndAdvancesIt) {
  TextBitmap t({-13}, 160, 80);
  TCanvas& canvas = t.Canvas();
  canvas.Brush().SetColor(clYellow);
  canvas.SetTextAlign(TA_UPDATECP);
  canvas.MoveTo(20, 30);
  canvas.TextOut(500, 500, "12");  // x and y are not used
  const int first = canvas.TextWidth("12");
  EXPECT_EQ(canvas.PenPos(), (TPoint{20 + first, 30}));
  canvas.TextOut(-7, -7, ".5");
  EXPECT_EQ(canvas.PenPos(), (TPoint{20 + first + canvas.TextWidth(".5"), 30}));
  const TSize cell = canvas.TextExtent("x");
  EXPECT_EQ(ChangedBox(t.bitmap, kBackground),
            (TRect{20, 30, 20 + first + canvas.TextWidth(".5"), 30 + cell.cy}));
}

TEST(TextAlign, UpdateCpRightAlignedMovesLeftAndCenteredStays) {
  TBitmap bitmap(50, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-13);
  canvas.SetTextAlign(TA_UPDATECP | TA_RIGHT);
  canvas.MoveTo(40, 5);
  canvas.TextOut(0, 0, "25");
  EXPECT_EQ(canvas.PenPos(), (TPoint{40 - canvas.TextWidth("25"), 5}));
  canvas.SetTextAlign(TA_UPDATECP | TA_CENTER);
  const TPoint before = canvas.PenPos();
  canvas.TextOut(0, 0, "25");
  EXPECT_EQ(canvas.PenPos(), before);
}

TEST(TextAlign, UpdateCpSaturatesAtTheEndOfTheIntRange) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.SetTextAlign(TA_UPDATECP);
  canvas.MoveTo(INT_MAX - 3, 0);
  canvas.TextOut(0, 0, "1000");
  EXPECT_EQ(canvas.PenPos(), (TPoint{INT_MAX, 0}));
  canvas.SetTextAlign(TA_UPDATECP | TA_RIGHT);
  canvas.MoveTo(INT_MIN + 3, 0);
  canvas.TextOut(0, 0, "1000");
  EXPECT_EQ(canvas.PenPos(), (TPoint{INT_MIN, 0}));
}

}  // namespace
}  // namespace nox
