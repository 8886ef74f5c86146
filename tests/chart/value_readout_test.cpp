#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

// Layer 1 shows x 0..21 and y 0..14: pixel x = 50 + 10 wx, pixel y = 160 - 10 wy.
using ValueReadout = MouseTest;

// Every point the readout may show, by looking at every item.
std::optional<TgfItemHit> NearestByScan(const TCustomGrafon& chart, int x, int y, int radius) {
  std::optional<TgfItemHit> best;
  if (radius < 0) return best;
  std::int64_t bound = std::int64_t{radius} * radius;
  for (int i = 0; i < chart.DataCount(); ++i) {
    const TgfChartItem item = chart.DataItems()[static_cast<std::size_t>(i)];
    if (item.Kind != ikLineTo && item.Kind != ikMoveTo && item.Kind != ikMark) continue;
    if (!chart.LayerVisible(item.Layer) || !chart.DataClassVisible(item.ItemClass)) continue;
    int px = 0, py = 0;
    chart.WorldToPixel(item.Layer, item.X1, item.Y1, px, py);
    if (px < 50 || px > 260 || py < 20 || py > 160) continue;
    const std::int64_t dx = std::int64_t{px} - x, dy = std::int64_t{py} - y;
    if (std::abs(dx) > radius || std::abs(dy) > radius) continue;  // and the squares fit
    const std::int64_t d = dx * dx + dy * dy;
    if (d > bound) continue;
    bound = d;
    best = TgfItemHit{i, item.Layer, item.X1, item.Y1, {px, py}};
  }
  return best;
}

TEST_F(ValueReadout, FindsTheSamePointAsLookingAtEveryItem) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  chart.SetLayerRange(2, 1e-3, 1e-3, 1e3, 1e3);
  chart.ScaleXOf(2).SetLogarithmic(true);
  chart.ScaleYOf(2).SetLogarithmic(true);
  chart.SetLayerRange(3, 21, 0, 0, 14);  // reversed x
  for (int run = 0; run < 60; ++run) {
    const int layer = 1 + run % 3;
    chart.SetCurrentLayer(layer);
    chart.SetClassDefault(static_cast<std::uint8_t>(run % 4));
    chart.SetDataColor(static_cast<TColor>(run % 2));
    const double scale = layer == 2 ? 1000 : 21;
    double x = unit(random) * scale;
    chart.MoveTo(x, unit(random) * scale - (layer == 2 ? 1 : 0));  // log layer: values <= 0 too
    const int points = static_cast<int>(unit(random) * 600);
    for (int i = 0; i < points; ++i) {
      x += (unit(random) - 0.3) * 0.2;
      const double y = unit(random) * (layer == 2 ? 1000 : 16) - 1;
      if (run % 5 == 0) {
        chart.AddMark(3, x, y);
      } else {
        chart.LineTo(x, y);
      }
    }
    if (run % 7 == 0) chart.AddRect(1, 1, 3, 3);
  }
  chart.SetDataClassVisible(3, false);
  for (int probe = 0; probe < 250; ++probe) {
    const int x = 40 + static_cast<int>(unit(random) * 230);
    const int y = 10 + static_cast<int>(unit(random) * 160);
    const int radius = static_cast<int>(unit(random) * 12) - 1;
    if (probe == 125) chart.SetLayerVisible(3, false);
    EXPECT_EQ(chart.NearestDataItem(x, y, radius), NearestByScan(chart, x, y, radius))
        << "pointer " << x << ", " << y << " radius " << radius;
  }
  // Pointers as far away as an int reaches, with a radius that reaches them.
  for (const TPoint far : {TPoint{INT_MIN, INT_MIN}, TPoint{INT_MAX, INT_MIN}, TPoint{INT_MAX, INT_MAX}}) {
    EXPECT_EQ(chart.NearestDataItem(far.X, far.Y, INT_MAX), NearestByScan(chart, far.X, far.Y, INT_MAX));
  }
}

TEST_F(ValueReadout, HoverReportsEachChangeOfThePointUnderThePointer) {
  std::vector<std::optional<TgfItemHit>> reports;
  chart.OnItemHover = [&](TObject*, const std::optional<TgfItemHit>& hit) { reports.push_back(hit); };
  chart.MoveTo(5, 7);  // pixel (100, 90)
  chart.LineTo(6, 7);  // pixel (110, 90)
  Hover(102, 92);      // 2.8 px from item 0
  Hover(103, 90);      // still item 0
  Hover(107, 90);      // item 1
  Hover(120, 90);      // nothing within 5 px
  Hover(110, 91);      // item 1
  chart.DispatchMouseLeave();
  const TgfItemHit first{0, 1, 5, 7, {100, 90}};
  const TgfItemHit second{1, 1, 6, 7, {110, 90}};
  const std::vector<std::optional<TgfItemHit>> expected{first, second, std::nullopt, second, std::nullopt};
  EXPECT_EQ(reports, expected);

  chart.SetReadoutRadius(1000);
  EXPECT_EQ(chart.ReadoutRadius(), 100);
  chart.SetReadoutRadius(-3);
  EXPECT_EQ(chart.ReadoutRadius(), 0);
}

}  // namespace
}  // namespace nox::test
