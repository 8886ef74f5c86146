#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "chart/render/grid_positions.h"
#include "support/golden.h"
#include "support/pixel_helpers.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

using detail::GridPositions;
using detail::TGridAxis;
using ::testing::ElementsAre;

TEST(GridPositions, LinearStepsAreMultiplesFromInsideTheRange) {
  EXPECT_THAT(GridPositions({false, 0.3, 2.1, 0.5}, {}), ElementsAre(0.5, 1.0, 1.5, 2.0));
  // A negative step on a linear axis: ceil(0.3 / -1) * -1 = 0, then steps of 1.
  EXPECT_THAT(GridPositions({false, 0.3, 2.5, -1}, {}), ElementsAre(0, 1, 2));
  // Positive steps on a logarithmic axis are multiples too.
  EXPECT_THAT(GridPositions({true, 1, 1000, 300}, {}), ElementsAre(300, 600, 900));
}

TEST(GridPositions, LogarithmicDecadesOneTwoFiveAndMultiples) {
  EXPECT_THAT(GridPositions({true, 1, 1000, -1}, {}), ElementsAre(1, 10, 100));  // 1000 is not below
  EXPECT_THAT(GridPositions({true, 3, 300, -2}, {}), ElementsAre(5, 10, 20, 50, 100, 200));
  EXPECT_THAT(GridPositions({true, 3, 30, -3}, {}), ElementsAre(3, 4, 5, 6, 7, 8, 9, 10, 20));
  // Other negative steps start at the low bound itself.
  EXPECT_THAT(GridPositions({true, 3.4, 7, -0.5}, {}), ElementsAre(3.4, 4, 5, 6));
  // Decades far below 1 snap to their powers of ten.
  const std::vector<double> small = GridPositions({true, 1e-7, 1e-4, -2}, {});
  ASSERT_EQ(small.size(), 8u);
  EXPECT_DOUBLE_EQ(small[2], 1e-6);
  EXPECT_DOUBLE_EQ(small[7], 5e-5);
}

TEST(GridPositions, ALogarithmicWalkEndsBeforeOverflowAndNeedsPositiveBounds) {
  EXPECT_EQ(GridPositions({true, 1e300, DBL_MAX, -1}, {}).size(), 9u);  // 1e300 .. 1e308
  EXPECT_TRUE(GridPositions({true, 0, 100, -1}, {}).empty());
  EXPECT_DOUBLE_EQ(detail::NextGridStep(true, -2, 3), 5);  // not a 1-2-5 value: the next one above
}

TEST(GridPositions, AtMostAThousandLines) {
  const std::vector<double> p = GridPositions({false, 0, 1, 1e-6}, {});
  ASSERT_EQ(p.size(), 1000u);
  EXPECT_NEAR(p.back(), 999e-6, 1e-12);
  // A step too small to move the value still ends.
  EXPECT_EQ(GridPositions({false, 1e20, 2e20, 1}, {}).size(), 1000u);
}

TEST(GridPositions, BadBoundsGiveNoLines) {
  EXPECT_TRUE(GridPositions({false, std::nan(""), 1, 0.1}, {}).empty());
  EXPECT_TRUE(GridPositions({false, 0, INFINITY, 0.1}, {}).empty());
  EXPECT_TRUE(GridPositions({false, -DBL_MAX, DBL_MAX, 1e-300}, {}).empty());  // first position -inf
}

TEST(GridPositions, StepZeroTakesTheTicksInsideTheRangeInValueOrder) {
  // A descending scale lists its ticks from the high bound down (and vertical scales repeat the
  // major ones); every tick below the high bound gets its line.
  const std::vector<double> ticks{10, 7.5, 5, 2.5, 0, 10, 5, 0, -2.5};
  EXPECT_THAT(GridPositions({false, 0, 10, 0}, ticks), ElementsAre(0, 2.5, 5, 7.5));
  EXPECT_THAT(GridPositions({false, 0, 10, 0}, {}), ElementsAre(0));  // no ticks: the low bound
}

TEST(GridPositions, NextPositionWalksAsTheGridDoes) {
  // A step other than 0: each position the grid draws is followed by the next one it draws.
  for (const TGridAxis& axis : {TGridAxis{false, 0.3, 9.1, 0.5}, TGridAxis{true, 1, 1e6, -1},
                                TGridAxis{true, 0.5, 800, -2}, TGridAxis{true, 3, 700, -3}}) {
    const std::vector<double> walk = GridPositions(axis, {});
    ASSERT_GT(walk.size(), 2u);
    for (std::size_t i = 1; i < walk.size(); ++i) {
      EXPECT_EQ(detail::NextGridPosition(axis, {}, static_cast<int>(i) + 1, walk[i - 1]), walk[i]);
    }
  }
  // Step 0: the n-th tick as the scale lists it (a descending scale from the top); else the high bound.
  const std::vector<double> ticks{10, 7.5, 5};
  for (const auto& [n, expected] :
       {std::pair{2, 7.5}, std::pair{3, 5.0}, std::pair{4, 10.0}, std::pair{0, 10.0}}) {
    EXPECT_EQ(detail::NextGridPosition({false, 0, 10, 0}, ticks, n, 0), expected) << n;
  }
}

class GridChart : public TTestGrafon {
 public:
  using TCustomGrafon::DrawGrid;
  using TCustomGrafon::GridPositions;
  using TCustomGrafon::NextGridPosition;
};

class Grid : public ChartTest {
 protected:
  // 270 x 220: a chart area of 200 x 160 pixels; one world unit is one pixel.
  void SetUp() override {
    chart.SetBounds(0, 0, 270, 220);
    chart.SetLayerRange(1, 0, 0, 200, 160);
    chart.SetGridColor(clRed);
    image.SetSize(201, 161);
    image.Fill(clWhite);
  }
  void Draw(GridStyleType style, double dx, double dy) {
    chart.SetGridStyle(style);
    chart.SetGridDx(dx);
    chart.SetGridDy(dy);
    chart.DrawGrid(image.Canvas(), 0, 0);
  }
  std::set<int> GridColumns() const {
    std::set<int> columns;
    for (auto [x, y] : PixelsOf(image, clRed)) columns.insert(x);
    return columns;
  }
  GridChart chart;
  TBitmap image;
};

TEST_F(Grid, VerticalLinesSpanTheYRangeAtEachPosition) {
  Draw(gsVertLines, 50, 0);
  EXPECT_EQ(GridColumns(), (std::set<int>{0, 50, 100, 150}));  // 200 is not below the high bound
  // From the bottom row up to the top row, which is left out as a line's end.
  EXPECT_EQ(image.Pixel(50, 160), clRed);
  EXPECT_EQ(image.Pixel(50, 1), clRed);
  EXPECT_EQ(image.Pixel(50, 0), clWhite);
  EXPECT_EQ(CountColor(image, clRed), 4 * 160);
}

TEST_F(Grid, PointsStopAtAThousandAcrossColumns) {
  Draw(gsPoints, 5, 4);  // 40 columns of 40 rows
  EXPECT_EQ(CountColor(image, clRed), 1000);
  EXPECT_EQ(GridColumns().size(), 25u);
  EXPECT_EQ(*GridColumns().rbegin(), 120);
}

TEST_F(Grid, DottedLinesLeaveTheSolidPenBehind) {
  Draw(gsDotLines, 100, 80);
  EXPECT_EQ(image.Pixel(100, 158), clRed);  // psDot: 3 on, 3 off, from the bottom
  EXPECT_EQ(image.Pixel(100, 157), clWhite);
  EXPECT_EQ(image.Pixel(3, 80), clWhite);
  EXPECT_EQ(image.Canvas().Pen().Style(), psSolid);
}

TEST_F(Grid, ZeroStepFollowsTheScaleTicksAlsoOnAReversedAxis) {
  chart.HandleNeeded();
  for (bool reversed : {false, true}) {
    chart.SetLayerRange(1, reversed ? 200 : 0, 0, reversed ? 0 : 200, 160);
    chart.Repaint();  // the scales record their ticks
    const TScale& scale = chart.ScaleControlX(1);
    ASSERT_GT(scale.NumTicks(), 3);
    std::set<int> expected;
    for (int n = 1; n <= scale.NumTicks(); ++n) {
      int px = 0, py = 0;
      chart.WorldToPixel(1, scale.TickPos(n), 0, px, py);
      if (scale.TickPos(n) >= 0 && scale.TickPos(n) < 200) expected.insert(px - chart.MarginLeft());
    }
    image.Fill(clWhite);
    Draw(gsVertLines, 0, 0);
    EXPECT_EQ(GridColumns(), expected) << (reversed ? "reversed" : "ascending");
  }
  EXPECT_DOUBLE_EQ(chart.NextGridPosition(false, 2, false, 0, 0), chart.ScaleControlX(1).TickPos(2));
  EXPECT_DOUBLE_EQ(chart.NextGridPosition(false, 999, false, 0, 0), 200);  // past the ticks
}

TEST_F(Grid, LogarithmicAxisGetsItsDecades) {
  chart.SetLayerRange(1, 1, 0, 1000, 160);
  chart.Scale1X().SetLogarithmic(true);
  Draw(gsVertLines, -1, 0);
  EXPECT_THAT(chart.GridPositions(false), ElementsAre(1, 10, 100));
  EXPECT_EQ(GridColumns(), (std::set<int>{0, 67, 133}));
}

TEST_F(Grid, OffsetMovesTheGrid) {
  chart.SetGridStyle(gsHorizLines);
  chart.SetGridDy(100);
  chart.DrawGrid(image.Canvas(), 7, 5);
  EXPECT_EQ(image.Pixel(7, 165 - 100), clRed);  // y 100: row 60, moved down by 5
  EXPECT_EQ(image.Pixel(6, 65), clWhite);
}

// Golden images, one per style, on a 0..200 x 0..160 chart area with GridDx 20 and GridDy 40 in
// red: points (10 x 4), vertical lines, horizontal lines, both, and the dotted forms.
TEST_F(Grid, GoldenStyles) {
  const std::pair<GridStyleType, const char*> styles[] = {
      {gsPoints, "points"},     {gsVertLines, "vert_lines"},          {gsHorizLines, "horiz_lines"},
      {gsLines, "lines"},       {gsHorizDotLines, "horiz_dot_lines"}, {gsVertDotLines, "vert_dot_lines"},
      {gsDotLines, "dot_lines"}};
  for (auto [style, name] : styles) {
    image.Fill(clWhite);
    Draw(style, 20, 40);
    EXPECT_TRUE(MatchesGolden(image, std::string("chart/grid_") + name));
  }
}

// A tick, the grid line that follows it and data at its value share one pixel, whatever the plot's
// size, margins, shadow and ranges; also where the plot ends on the control's edge (MarginRight and
// ShadowWidth 0), which the scale's own margins cannot reach. The first case is a plot 105 pixels
// wide on 0..1, where the tick at 0.1 once stood a pixel off its grid line.
TEST_F(ChartTest, TicksGridLinesAndDataShareTheirPixels) {
  std::mt19937 rng(3);
  const auto pick = [&rng](unsigned n) { return static_cast<int>(rng() % n); };
  for (int i = 0; i < 150; ++i) {
    TTestGrafon chart;
    chart.HandleNeeded();
    const int right = i == 0 ? 0 : pick(2) * pick(30);  // 0 in half the cases and more
    const int shadow = i == 0 ? 0 : pick(2) * pick(6);
    chart.SetMarginLeft(20 + pick(30));
    chart.SetMarginRight(right);
    chart.SetMarginBottom(pick(2) * pick(40));
    chart.SetShadowWidth(shadow);
    chart.SetBounds(0, 0, i == 0 ? chart.MarginLeft() + 105 : 100 + pick(400), 100 + pick(300));
    std::array<double, 4> r{0, 1, 0, 1};  // x low, x high, y low, y high
    for (int a = 0; a < 4 && i > 0; a += 2) {
      const double span = (1 + pick(9)) * std::pow(10.0, pick(7) - 3);
      r[a] = (pick(2001) - 1000) * span / 100;
      r[a + 1] = r[a] + (pick(4) == 0 ? -span : span);
    }
    chart.SetLayerRange(1, r[0], r[2], r[1], r[3]);
    chart.SetGridColor(clRed);
    chart.SetGridDx(0);
    chart.SetGridDy(0);
    std::vector<std::pair<double, int>> ticks;  // value and pixel along the axis, as drawn
    bool xAxis = true;
    chart.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType type, double v, int x, int y) {
      if ((type == sctXB || type == sctXT) == xAxis) ticks.emplace_back(v, xAxis ? x : y);
    };
    const int left = chart.MarginLeft(), top = chart.MarginTop();
    const int areaRight = chart.Width() - right - shadow,
              areaBottom = chart.Height() - chart.MarginBottom() - shadow;
    for (const bool axisX : {true, false}) {
      xAxis = axisX;
      chart.SetGridStyle(xAxis ? gsVertLines : gsHorizLines);
      ticks.clear();
      chart.Repaint();
      ASSERT_GE(ticks.size(), 3u) << "case " << i;
      const double low = std::min(r[xAxis ? 0 : 2], r[xAxis ? 1 : 3]);
      const double high = std::max(r[xAxis ? 0 : 2], r[xAxis ? 1 : 3]);
      for (const auto& [v, p] : ticks) {
        if (v < low || v >= high) continue;
        int px = 0, py = 0;
        chart.WorldToPixel(1, v, v, px, py);
        ASSERT_EQ(p, xAxis ? px : py) << "case " << i << ", tick " << v;
        // The grid line, seen across the middle of the chart area; its frame covers the edges.
        const TColor grid = xAxis ? chart.ControlImage().Pixel(p, (top + areaBottom) / 2)
                                  : chart.ControlImage().Pixel((left + areaRight) / 2, p);
        if (p != (xAxis ? left : top) && p != (xAxis ? areaRight : areaBottom)) {
          ASSERT_EQ(grid, clRed) << "case " << i << ", tick " << v;
        }
      }
    }
  }
}

}  // namespace
}  // namespace nox::test
