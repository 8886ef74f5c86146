#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "chart/form/grafon_stored_form.h"
#include "chart/model/range_confinement.h"
#include "scale/axis_mapping.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

TEST(AxisMapping, EmptyExtentMapsEverythingToTheCentre) {
  detail::TAxisMapping m;
  ASSERT_TRUE(detail::ComputeAxisMapping(true, -1, 0, 10, 5, -5, 140, m));  // no error without extent
  EXPECT_EQ(m, (detail::TAxisMapping{0, 140}));
  EXPECT_EQ(detail::MapToPixel(m, false, 1e6, 0), 140);
  EXPECT_EQ(detail::MapToWorld(m, false, 3, -7), -7);
}

TEST(AxisMapping, RangeWithoutWidthHasNoMapOfItsOwn) {
  detail::TAxisMapping m;
  ASSERT_TRUE(detail::ComputeAxisMapping(false, 5, 5, 50, 260, 210, 140, m));
  EXPECT_EQ(m, (detail::TAxisMapping{0, 140}));
}

TEST(AxisMapping, PixelsAreClampedAndRoundedHalfToEven) {
  const detail::TAxisMapping m{1, 0.5};
  EXPECT_EQ(detail::MapToPixel(m, false, 2, 0), 2);  // 2.5 -> 2
  EXPECT_EQ(detail::MapToPixel(m, false, 3, 0), 4);  // 3.5 -> 4
  EXPECT_EQ(detail::MapToPixel(m, false, 1e300, 0), 2147483647);
  EXPECT_EQ(detail::MapToPixel(m, false, -1e300, 0), -2147483647);
  EXPECT_EQ(detail::MapToPixel(m, false, std::nan(""), 0), 0);
}

TEST(AxisMapping, InverseStaysFinite) {
  const detail::TAxisMapping m{1e-305L, 0};
  EXPECT_EQ(detail::MapToWorld(m, false, 1000000, 0), std::numeric_limits<double>::max());
  const detail::TAxisMapping log{1, 0};
  EXPECT_EQ(detail::MapToWorld(log, true, 100000, 0), std::numeric_limits<double>::max());
}

// The double map gives MapToPixel's pixel for every value: random maps of chart-like and extreme
// ranges, linear and logarithmic, at random values of every magnitude, at the values that map next
// to a rounding tie (and the doubles beside them), and at the special values.
TEST(AxisMapping, DoubleMapGivesTheExtendedPixel) {
  std::mt19937_64 random(15);
  const auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<>(low, high)(random);
  };
  std::vector<std::pair<detail::TAxisMapping, bool>> maps = {
      {{1, 0}, false},       {{1, 0.5L}, false},   {{0.5L, 0}, false}, {{0, 140.5L}, false},
      {{1e-305L, 0}, false}, {{1e300L, 3}, false}, {{-1, 0.5L}, true}};
  for (int i = 0; i < 300; ++i) {
    const bool log = i % 2 == 1;
    // half the maps of a chart's everyday range, the others of any magnitude
    const double magnitude = i % 4 < 2 ? uniform(-3, 3) : uniform(-300, 300);
    const double low = log ? std::pow(10.0, uniform(-120, 300)) : uniform(-1, 1) * std::pow(10.0, magnitude);
    const double high =
        log ? low * std::pow(10.0, magnitude / 6) : low + uniform(-1, 1) * std::pow(10.0, magnitude);
    const long double extent = std::round(uniform(1, 3000));
    detail::TAxisMapping m;
    if (detail::ComputeAxisMapping(log, low, high, 0, i % 3 == 0 ? -extent : extent, extent, 0, m))
      maps.push_back({m, log});
  }
  const double inf = std::numeric_limits<double>::infinity();
  for (const auto& [m, log] : maps) {
    std::vector<double> values = {std::nan(""), inf, -inf, 0.0, -0.0, 1e-310, 2.5, 3.5, 1e300, -1e300};
    for (const double v :
         {kMinLogValue, std::nextafter(kMinLogValue, inf), std::nextafter(kMinLogValue, 0.0)})
      values.push_back(v);
    for (int i = 0; i < 200; ++i) {
      values.push_back(uniform(-1, 1) * std::pow(10.0, uniform(-320, 308)));
      // the value whose pixel is a half-integer, and its neighbours
      const long double t = (std::round(uniform(-3000, 3000)) + 0.5L - m.o) / m.k;
      double v = static_cast<double>(log ? std::exp(t) : t);
      for (int step = 0; step < 3; ++step) v = std::nextafter(v, -inf);
      for (int step = 0; step < 7; ++step, v = std::nextafter(v, inf)) values.push_back(v);
    }
    const detail::TDoubleAxisMapping fast(m);
    for (const double v : values)
      ASSERT_EQ(detail::MapToPixelInDouble(fast, log, v, -7), detail::MapToPixel(m, log, v, -7))
          << "k " << static_cast<double>(m.k) << " o " << static_cast<double>(m.o) << " log " << log << " v "
          << v;
    // Spans over a few neighbouring values: the end pixels are the extended ones, and a span said
    // to hold its values' pixels does.
    std::erase_if(values, [](double v) { return std::isnan(v); });
    std::sort(values.begin(), values.end());
    for (std::size_t lo = 0; lo < values.size(); ++lo) {
      const std::size_t hi = std::min(lo + 4, values.size() - 1);
      int pixelLo, pixelHi;
      const bool holds = detail::MapSpanToPixels(fast, log, values[lo], values[hi], -7, pixelLo, pixelHi);
      ASSERT_EQ(pixelLo, detail::MapToPixel(m, log, values[lo], -7)) << values[lo];
      ASSERT_EQ(pixelHi, detail::MapToPixel(m, log, values[hi], -7)) << values[hi];
      for (std::size_t i = lo; holds && i <= hi; ++i) {
        const int pixel = detail::MapToPixel(m, log, values[i], -7);
        ASSERT_TRUE(std::min(pixelLo, pixelHi) <= pixel && pixel <= std::max(pixelLo, pixelHi)) << values[i];
      }
    }
  }
}

TEST(RangeConfinement, ZoomCutsEitherOrientation) {
  long double lo = 520, hi = 400;  // reversed axis
  detail::ConfineAxis(lo, hi, -150, 450, false);
  EXPECT_EQ(lo, 450);
  EXPECT_EQ(hi, 400);
}

TEST(RangeConfinement, PanShiftsAReversedWindowInside) {
  long double lo = 520, hi = 400;
  detail::ConfineAxis(lo, hi, -150, 450, true);
  EXPECT_EQ(lo, 450);
  EXPECT_EQ(hi, 330);
}

TEST(RangeConfinement, BoxMayBeGivenHighFirst) {
  long double lo = 400, hi = 520;
  detail::ConfineAxis(lo, hi, 450, -150, true);
  EXPECT_EQ(lo, 330);
  EXPECT_EQ(hi, 450);
}

using LayerMapping = ChartTest;

TEST_F(LayerMapping, RangeLowMapsToTheLeftEdgeAndRangeHighOfYToTheTop) {
  TTestGrafon chart;  // 280 x 200, margins 50, 20, 20, 40
  chart.SetLayerRange(1, 0, 0, 210, 140);
  int px = 0, py = 0;
  chart.WorldToPixel(1, 0, 0, px, py);
  EXPECT_EQ(px, 50);
  EXPECT_EQ(py, 160);
  chart.WorldToPixel(1, 210, 140, px, py);
  EXPECT_EQ(px, 260);
  EXPECT_EQ(py, 20);
  double x = 0, y = 0;
  chart.PixelToWorld(1, 155, 90, x, y);
  EXPECT_DOUBLE_EQ(x, 105);
  EXPECT_DOUBLE_EQ(y, 70);
}

TEST_F(LayerMapping, ShadowNarrowsTheChartArea) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 0, 0, 1, 1);
  chart.SetShadowWidth(10);
  int px = 0, py = 0;
  chart.WorldToPixel(1, 1, 0, px, py);
  EXPECT_EQ(px, 250);
  EXPECT_EQ(py, 150);
}

TEST_F(LayerMapping, LayerOutsideTheChartIsClamped) {
  TTestGrafon chart;
  chart.SetLayerRange(16, 0, 0, 210, 140);
  int px = 0, py = 0;
  chart.WorldToPixel(40, 210, 0, px, py);
  EXPECT_EQ(px, 260);
  double x = 0, y = 0;
  chart.PixelToWorld(-3, 50, 160, x, y);  // layer 1: 0..1
  EXPECT_DOUBLE_EQ(x, 0);
  chart.PixelToWorld(99, 260, 160, x, y);  // layer 16
  EXPECT_DOUBLE_EQ(x, 210);
}

TEST_F(LayerMapping, LogarithmicAxisMapsTinyValuesToAnEdge) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 1, 1, 100, 100);
  chart.Scale1X().SetLogarithmic(true);
  chart.Scale1Y().SetLogarithmic(true);
  int px = 0, py = 0;
  chart.WorldToPixel(1, 10, 10, px, py);
  EXPECT_EQ(px, 155);
  EXPECT_EQ(py, 90);
  chart.WorldToPixel(1, 0, -5, px, py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 200);
  chart.WorldToPixel(1, 1e-100, 1e-100, px, py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 200);
  chart.SetLayerRange(1, 100, 100, 1, 1);  // reversed axes
  chart.WorldToPixel(1, -1, 0, px, py);
  EXPECT_EQ(px, 280);
  EXPECT_EQ(py, 0);
  double x = 0, y = 0;
  chart.PixelToWorld(1, 155, 90, x, y);
  EXPECT_NEAR(x, 10, 1e-9);
  EXPECT_NEAR(y, 10, 1e-9);
}

TEST_F(LayerMapping, NoChartAreaMapsToTheMiddle) {
  TTestGrafon chart;
  chart.SetMarginLeft(300);  // AW = 280 - 300 - 20 < 0
  int px = 0, py = 0;
  chart.WorldToPixel(1, 12345, 0.5, px, py);
  EXPECT_EQ(px, 140);
  chart.WorldToPixel(1, -12345, 0.5, px, py);
  EXPECT_EQ(px, 140);
  double x = 1, y = 1;
  chart.PixelToWorld(1, 17, 90, x, y);
  EXPECT_EQ(x, chart.Scale1X().RangeLow());
}

TEST_F(LayerMapping, FollowsRangesHoweverTheyChanged) {
  TTestGrafon chart;
  TScalePropsHoriz props;
  props.SetRangeLow(0);
  props.SetRangeHigh(210);
  chart.SetScale2X(props);  // copied in without notification
  chart.UpdateLayerMapping();
  int px = 0, py = 0;
  chart.WorldToPixel(2, 105, 0, px, py);
  EXPECT_EQ(px, 155);

  TTestGrafon wide;
  wide.SetBounds(0, 0, 490, 200);  // chart area 420 wide
  wide.SetLayerRange(2, 0, 0, 210, 1);
  chart.Assign(wide);  // takes the wider chart's coefficients along
  chart.UpdateLayerMapping();
  chart.WorldToPixel(2, 105, 0, px, py);
  EXPECT_EQ(px, 155);
}

TEST_F(LayerMapping, NonPositiveBoundOnALogarithmicAxisRaises) {
  TTestGrafon chart;  // created in code and not shown: the loading guard stays, True is unchecked
  try {
    chart.Scale1X().SetLogarithmic(true);
    FAIL() << "no error";
  } catch (const ENoxGrafonError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  // The mapping refused it, so the setting is refused: the axis stays linear, the mapping works.
  EXPECT_FALSE(chart.Scale1X().Logarithmic());
  EXPECT_FALSE(chart.ScaleControlX(1).Logarithmic());
  EXPECT_NO_THROW(chart.UpdateLayerMapping());
  // An axis object copied in as it is (without checks) still cannot be mapped.
  TScalePropsHoriz unmappable;
  unmappable.SetLogarithmic(true);  // its own guard is set
  chart.SetScale1X(unmappable);
  EXPECT_THROW(chart.UpdateLayerMapping(), ENoxGrafonError);
}

// A chart built in code, y over -60..110: the refused switch breaks nothing. Painted once (or
// shown), the chart checks the switch by the range rule and refuses it without an error.
TEST_F(LayerMapping, RefusedLogarithmicSwitchLeavesTheChartWorking) {
  TTestGrafon chart;
  chart.SetBounds(0, 0, 429, 365);
  chart.SetLayerRange(1, 0, -60, 300, 110);
  EXPECT_THROW(chart.Scale1Y().SetLogarithmic(true), ENoxGrafonError);
  EXPECT_FALSE(chart.Scale1Y().Logarithmic());
  const std::string png = std::string(NOX_TEST_OUTPUT_DIR) + "/refused_logarithmic.png";
  EXPECT_NO_THROW({
    chart.SaveToPngFile(png);
    chart.HandleNeeded();
    chart.Repaint();
    chart.SetLayerRange(1, 0, -50, 300, 100);
    chart.SetMarginLeft(60);
    chart.SetBounds(0, 0, 400, 300);
    chart.SetMouseAction(maPan);
    chart.DispatchMouseDown(mbLeft, TShiftState{ssLeft}, 100, 100);
    chart.DispatchMouseMove(TShiftState{ssLeft}, 100, 100);
    chart.DispatchMouseMove(TShiftState{ssLeft}, 120, 110);
    chart.DispatchMouseUp(mbLeft, TShiftState{}, 120, 110);
    TGrafon copy(nullptr);
    ReadGrafonForm(copy, WriteGrafonForm(chart));
  });
  std::remove(png.c_str());
  chart.Scale1Y().SetLogarithmic(true);
  EXPECT_FALSE(chart.Scale1Y().Logarithmic());
}

TEST_F(LayerMapping, AfterLoadingTheLogarithmicSwitchChecksTheRange) {
  TTestGrafon chart;
  chart.BeginLoading();
  chart.Loaded();
  EXPECT_FALSE(chart.Scale1X().LoadingGuard());
  chart.Scale1X().SetLogarithmic(true);  // range 0..1: refused, nothing raised
  EXPECT_FALSE(chart.Scale1X().Logarithmic());
}

}  // namespace
}  // namespace nox::test
