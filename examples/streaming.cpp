// A live signal that scrolls: the chart keeps the newest 5,000 samples (SetDataLimit) while a
// source delivers blocks of 250, and the x range follows the newest sample. The program runs
// 40 blocks, as a timer would deliver them, and writes the last view to streaming.png.
//
//   example_streaming [output folder]

#include <cmath>
#include <numbers>
#include <vector>

#include "chart/Nox_grafon.h"
#include "example_support.h"
#include "platform/host.h"

int main(int argc, char** argv) {
  nox::THeadlessHost host;
  nox::TScopedHost useHost(host);

  constexpr int kWindow = 5000;  // samples shown
  constexpr int kBlock = 250;    // samples a delivery
  constexpr double kRate = 1000; // samples a second

  nox::TGrafon chart(nullptr);
  chart.SetBounds(0, 0, 600, 300);
  chart.SetCaption("The last five seconds of a 1 kHz signal");
  chart.SetDataLimit(kWindow);  // older samples go as new ones come
  chart.SetDataColor(nox::clGreen);

  example::TNoise noise(5);
  std::vector<double> block(kBlock);
  long long sample = 0;
  for (int delivery = 0; delivery < 40; ++delivery) {
    for (double& v : block) {
      const double t = static_cast<double>(sample++) / kRate;
      v = std::sin(2 * std::numbers::pi * 0.7 * t) + 0.3 * std::sin(2 * std::numbers::pi * 13 * t) +
          0.1 * noise.Gaussian();
    }
    const double first = static_cast<double>(sample - kBlock) / kRate;
    // The first block starts the line; the later ones continue it.
    if (delivery == 0) chart.AppendSeries(first, 1 / kRate, block);
    else for (int i = 0; i < kBlock; ++i) chart.LineTo(first + i / kRate, block[static_cast<std::size_t>(i)]);
    const double newest = static_cast<double>(sample) / kRate;
    chart.SetLayerRange(1, newest - kWindow / kRate, -1.8, newest, 1.8);  // scroll with the signal
  }

  chart.SaveToPngFile(example::PicturePath(argc, argv, "streaming"));
}
