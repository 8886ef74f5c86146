// A log-log plot with a grid: measurements that follow two power laws, drawn as marks, with the
// fitted laws as straight lines (a power law is straight on logarithmic axes) and their formulas.
// Writes log_log.png.
//
//   example_log_log [output folder]

#include <cmath>

#include "chart/Nox_grafon.h"
#include "example_support.h"
#include "platform/host.h"

int main(int argc, char** argv) {
  nox::THeadlessHost host;
  nox::TScopedHost useHost(host);

  nox::TGrafon chart(nullptr);
  chart.SetBounds(0, 0, 600, 450);
  chart.SetMarginLeft(70);
  chart.SetCaption("Two power laws");
  chart.SetLayerRange(1, 1e-2, 1e-6, 1e4, 1e8);
  chart.Scale1X().SetLogarithmic(true);
  chart.Scale1Y().SetLogarithmic(true);
  chart.SetGridStyle(nox::gsLines);
  chart.SetGridColor(nox::TColor{0xCCCCCC});
  chart.SetGridDx(-1);  // a line at each decade
  chart.SetGridDy(-1);

  example::TNoise noise(7);
  const auto measure = [&](nox::TColor color, double exponent) {
    chart.SetDataColor(color);
    for (double x = 2e-2; x < 5e3; x *= 1.25)
      chart.AddMark(5, x, std::pow(x, exponent) * std::exp(0.3 * noise.Gaussian()));
    chart.AddLine(1e-2, std::pow(1e-2, exponent), 1e4, std::pow(1e4, exponent));
  };
  measure(nox::clRed, 2);
  measure(nox::clBlue, -1.5);

  chart.SetTextAlignment(nox::taLeftJustify);
  chart.SetDataColor(nox::clRed);
  chart.AddText(2e2, 2e6, "y = x^2");
  chart.SetDataColor(nox::clBlue);
  chart.AddText(2e2, 2e-5, "y = x^-1.5");

  chart.SaveToPngFile(example::PicturePath(argc, argv, "log_log"));
}
