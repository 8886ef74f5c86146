// Ten years of minute data - 5.26 million points - on a calendar axis: the x values are date-time
// numbers (days since 1899-12-30, the time of day as the fraction), appended in one call with a
// step of one minute. Writes calendar.png.
//
//   example_calendar [output folder]

#include <vector>

#include "chart/Nox_grafon.h"
#include "example_support.h"
#include "platform/host.h"

int main(int argc, char** argv) {
  nox::THeadlessHost host;
  nox::TScopedHost useHost(host);

  constexpr double kFirstDay = 42005;  // 2015-01-01
  constexpr double kDays = 3653;       // to 2024-12-31
  constexpr double kMinute = 1.0 / (24 * 60);

  // A random walk with a slow drift, one value a minute.
  example::TNoise noise(10);
  std::vector<double> price(static_cast<std::size_t>(kDays * 24 * 60));
  double value = 100;
  for (double& p : price) p = value += 0.02 * noise.Gaussian() + 0.00001;

  nox::TGrafon chart(nullptr);
  chart.SetBounds(0, 0, 700, 400);
  chart.SetMarginLeft(60);
  chart.SetCaption("Ten years, one value a minute");
  chart.Scale1X().SetLabelType(nox::ftDateTime);
  chart.SetLayerRange(1, kFirstDay, 0, kFirstDay + kDays, 250);
  chart.SetDataColor(nox::clNavy);
  chart.AppendSeries(kFirstDay, kMinute, price);

  chart.SaveToPngFile(example::PicturePath(argc, argv, "calendar"));
}
