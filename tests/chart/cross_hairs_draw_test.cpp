#include <gtest/gtest.h>

#include <cmath>

#include "support/golden.h"
#include "support/pixel_helpers.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

constexpr TColor kBack = clGreen;

class CrossHairChart : public TTestGrafon {
 public:
  using TCustomGrafon::DrawCrossHairs;
};

class CrossHairs : public ChartTest {
 protected:
  // 280 x 200 with margins 50, 20, 20, 40: world (x, y) lies at control pixel (50 + x, 160 - y).
  void SetUp() override {
    chart.SetLayerRange(1, 0, 0, 210, 140);
    image.SetSize(280, 200);
    image.Fill(kBack);
  }
  TCrossHair& Hair(int i, TCrossHMode mode, double x, double y, int width = 1) {
    TCrossHair& h = chart.CrossHair(i);
    h.SetMode(mode);
    h.SetPosX(x);
    h.SetPosY(y);
    h.SetLineWid(width);
    h.SetLineType(psSolid);
    h.SetLayer(1);
    return h;
  }
  void Draw() { chart.DrawCrossHairs(0, 0, image); }
  // The pixels of one row or column in the cross hair's colour (red).
  std::vector<int> RedInRow(int y) const {
    std::vector<int> xs;
    for (auto [x, py] : PixelsOf(image, clRed))
      if (py == y) xs.push_back(x);
    return xs;
  }
  CrossHairChart chart;
  TBitmap image;
};

TEST_F(CrossHairs, CrossBoxIsACrossInAWhiteAndABlackSquare) {
  Hair(1, chCrossBox, 100, 70);  // control pixel (150, 90)
  Draw();
  const char* expected[] = {"....R....", ".WWWWWWW.", ".WKKKKKW.", ".WK.R.KW.", "RWKRRRKWR",
                            ".WK.R.KW.", ".WKKKKKW.", ".WWWWWWW.", "....R...."};
  for (int dy = -4; dy <= 4; ++dy) {
    std::string row;
    for (int dx = -4; dx <= 4; ++dx) {
      const TColor c = image.Pixel(150 + dx, 90 + dy);
      row += c == clRed ? 'R' : c == clWhite ? 'W' : c == clBlack ? 'K' : c == kBack ? '.' : '?';
    }
    EXPECT_EQ(row, expected[dy + 4]) << "row " << dy;
  }
  EXPECT_EQ(RedInRow(90).front(), 150 - 13);
  EXPECT_EQ(RedInRow(90).back(), 150 + 13);
}

TEST_F(CrossHairs, LinesRunAcrossTheChartAreaInsideTheFrame) {
  Hair(1, chBoth, 100, 70);
  Draw();
  const std::vector<int> row = RedInRow(90);
  EXPECT_EQ(row.size(), 260u - 51u);  // x 51 .. 259
  EXPECT_EQ(row.front(), 51);
  EXPECT_EQ(image.Pixel(150, 21), clRed);
  EXPECT_EQ(image.Pixel(150, 159), clRed);
  EXPECT_EQ(image.Pixel(150, 20), kBack);
  EXPECT_EQ(image.Pixel(150, 160), kBack);
}

TEST_F(CrossHairs, AWideLineMustKeepItsHalfWidthInside) {
  Hair(1, chVert, 1, 70, 3);  // cx = MarginLeft + 1, half width 1
  Draw();
  EXPECT_EQ(CountColor(image, clRed), 0);
  Hair(1, chVert, 2, 70, 3);
  Draw();
  EXPECT_EQ(Extent(image, kBack).Left, 51);
  EXPECT_EQ(Extent(image, kBack).Right, 54);  // three pixels wide
}

TEST_F(CrossHairs, BoxIsANinePixelOutline) {
  Hair(1, chBox, 100, 70);
  Draw();
  EXPECT_EQ(Extent(image, kBack), Rect(146, 86, 155, 95));
  EXPECT_EQ(CountColor(image, clRed), 32);
}

TEST_F(CrossHairs, OneIsOnTopAndTheImageMayStartAtTheMargins) {
  Hair(1, chVert, 100, 70).SetColor(clRed);
  Hair(2, chVert, 100, 70).SetColor(clBlue);
  TBitmap area(211, 141);
  area.Fill(kBack);
  chart.DrawCrossHairs(50, 20, area);  // the chart image's corner in control pixels
  EXPECT_EQ(area.Pixel(100, 70), clRed);
  EXPECT_EQ(CountColor(area, clBlue), 0);
}

TEST_F(CrossHairs, TheImagesPenAndBrushComeBack) {
  TCanvas& c = image.Canvas();
  c.Pen().SetColor(clTeal);
  c.Pen().SetWidth(4);
  c.Pen().SetStyle(psDash);
  c.Brush().SetStyle(bsSolid);
  Hair(1, chCrossBox, 100, 70, 2);
  Draw();
  EXPECT_EQ(c.Pen().Color(), clTeal);
  EXPECT_EQ(c.Pen().Width(), 4);
  EXPECT_EQ(c.Pen().Style(), psDash);
  EXPECT_EQ(c.Brush().Style(), bsSolid);
}

TEST_F(CrossHairs, PositionsWithoutAPlaceDrawNoLineThere) {
  Hair(1, chBoth, std::nan(""), 70);  // only the horizontal line has a place
  Hair(2, chBoth, INFINITY, -INFINITY).SetColor(clBlue);
  Hair(3, chVert, 30, 70, -8).SetColor(clYellow);  // a negative width draws one pixel wide
  Draw();
  EXPECT_EQ(RedInRow(90).size(), 260u - 51u);
  EXPECT_EQ(CountColor(image, clBlue), 0);
  EXPECT_EQ(CountColor(image, clYellow), 159 - 21);  // y 21 .. 159 less the red crossing
}

// Golden: on green, cross hair 1 a cross box at (150, 90), 2 a blue dash-dot-dot cross through
// (100, 60), 3 a black box at (220, 130) and 4 a yellow horizontal line three pixels wide at y 140.
TEST_F(CrossHairs, Golden) {
  Hair(1, chCrossBox, 100, 70);
  Hair(2, chBoth, 50, 100).SetColor(clBlue);
  chart.CrossHair(2).SetLineType(psDashDotDot);
  Hair(3, chBox, 170, 30).SetColor(clBlack);
  Hair(4, chHoriz, 0, 20, 3).SetColor(clYellow);
  Draw();
  EXPECT_TRUE(MatchesGolden(image, "chart/crosshairs"));
}

}  // namespace
}  // namespace nox::test
