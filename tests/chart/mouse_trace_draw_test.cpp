#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "support/pixel_helpers.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

class TraceChart : public TTestGrafon {
 public:
  using TCustomGrafon::DrawMouseTrace;
  using TCustomGrafon::MouseTrace;
};

class MouseTrace : public ChartTest {
 protected:
  // 280 x 200 with margins 50, 20, 20, 40: world (x, y) lies at chart-area pixel (x, 140 - y).
  void SetUp() override {
    chart.SetLayerRange(1, 0, 0, 210, 140);
    image.SetSize(211, 141);
    image.Fill(clWhite);
  }
  void Add(double x, double y, std::uint16_t flags, TColor color) {
    chart.MouseTrace().push_back({x, y, flags, color});
  }
  TraceChart chart;
  TBitmap image;
};

// The smallest rectangle holding every pixel of one colour.
TRect ExtentOf(const TBitmap& image, TColor color) {
  TRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (auto [x, y] : PixelsOf(image, color))
    r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}

TEST_F(MouseTrace, StrokesAreNotJoinedAndEachSegmentTakesItsEndsColour) {
  Add(10, 130, 0, clRed);  // the first point's colour is not used
  Add(40, 130, 0, clBlue);
  Add(40, 100, 1, clGreen);  // the first stroke ends here
  Add(100, 100, 0, clRed);
  Add(130, 100, 0, clRed);
  chart.DrawMouseTrace(0, 0, image);
  EXPECT_EQ(ExtentOf(image, clBlue), Rect(10, 10, 40, 11));
  EXPECT_EQ(ExtentOf(image, clGreen), Rect(40, 10, 41, 40));  // (40, 40) is the end pixel
  EXPECT_EQ(ExtentOf(image, clRed), Rect(100, 40, 130, 41));
  EXPECT_EQ(image.Pixel(70, 40), clWhite);  // nothing from (40, 40) to (100, 40)
}

TEST_F(MouseTrace, XorSegmentsCombineWithTheImageAndThePenComesBack) {
  image.Fill(clYellow);
  image.Canvas().Pen().SetColor(clTeal);
  image.Canvas().Pen().SetStyle(psDot);
  Add(10, 70, 0, 0);
  Add(20, 70, 2, clWhite);
  Add(30, 70, 0, clBlue);
  chart.DrawMouseTrace(0, 0, image);
  EXPECT_EQ(image.Pixel(12, 70), clBlue);  // yellow xor white (psDot: 3 on, 3 off)
  EXPECT_EQ(image.Pixel(22, 70), clBlue);  // copied
  EXPECT_EQ(image.Canvas().Pen().Mode(), pmCopy);
  EXPECT_EQ(image.Canvas().Pen().Color(), clTeal);
  EXPECT_EQ(image.Canvas().Pen().Style(), psDot);
}

TEST_F(MouseTrace, OffsetsMoveTheTraceAndPointsWithoutAPlaceAreLeftOut) {
  Add(10, 130, 0, clRed);
  Add(std::nan(""), 130, 0, clRed);
  Add(40, 130, 0, clRed);
  Add(50, 130, 0, clRed);
  Add(1e300, -INFINITY, 0, clBlue);
  chart.DrawMouseTrace(50, 20, image);  // the chart area's corner at (50, 20) of the image
  EXPECT_EQ(Extent(image, clWhite), Rect(90, 30, 100, 31));
  image.Fill(clWhite);
  chart.MouseTrace().clear();
  Add(10, 130, 0, clRed);
  Add(20, 130, 0, clRed);
  chart.DrawMouseTrace(5, 7, image);
  EXPECT_EQ(Extent(image, clWhite), Rect(15, 17, 25, 18));
}

}  // namespace
}  // namespace nox::test
