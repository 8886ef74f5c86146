// A scatter plot of a million points: two clouds drawn as single-pixel marks, their centres as
// larger marks, and a caption. Writes scatter.png.
//
//   example_scatter [output folder]

#include "chart/Nox_grafon.h"
#include "example_support.h"
#include "platform/host.h"

int main(int argc, char** argv) {
  nox::THeadlessHost host;  // the library's window system: none, pictures only
  nox::TScopedHost useHost(host);

  nox::TGrafon chart(nullptr);
  chart.SetBounds(0, 0, 600, 450);
  chart.SetMarginLeft(60);
  chart.SetCaption("A million points in two clouds");
  chart.SetLayerRange(1, -4, -4, 7, 7);

  example::TNoise noise(2026);
  // x before y: the order in which a call's arguments are worked out is the compiler's choice.
  chart.SetDataColor(nox::clNavy);
  for (int i = 0; i < 600'000; ++i) {
    const double x = noise.Gaussian();
    chart.AddMark(0, x, noise.Gaussian());
  }
  chart.SetDataColor(nox::clMaroon);
  for (int i = 0; i < 400'000; ++i) {
    const double x = 3 + 0.6 * noise.Gaussian();
    chart.AddMark(0, x, 3 + 1.2 * noise.Gaussian());
  }
  chart.SetDataColor(nox::clYellow);
  chart.AddMark(6, 0, 0);  // diagonal crosses at the centres
  chart.AddMark(6, 3, 3);

  chart.SaveToPngFile(example::PicturePath(argc, argv, "scatter"));
}
