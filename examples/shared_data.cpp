// Two charts on one data list: the top chart owns a day of measurements - a temperature on layer 1
// (left axis) and the humidity on layer 2 (right axis, its x axis joined to layer 1's) - and the
// bottom chart shows the same list zoomed into the afternoon. A cross hair marks 15:00 on both.
// Writes shared_data_top.png and shared_data_bottom.png.
//
//   example_shared_data [output folder]

#include <cmath>
#include <numbers>

#include "chart/Nox_grafon.h"
#include "example_support.h"
#include "platform/host.h"

namespace {

constexpr int kMinutes = 24 * 60;

// Layers 1 and 2 with their y axes left and right, layer 2's x axis following layer 1's.
void SetUpAxes(nox::TGrafon& chart, const char* caption) {
  chart.SetBounds(0, 0, 600, 300);
  chart.SetStandardLayout(nox::gfl_X1Bottom_Y2Both);
  chart.SetCaption(caption);
  chart.JointLayers().SetXControlledBy(2, 1);
  chart.SetLayerRange(1, 0, 0, kMinutes, 30);
  chart.SetLayerRange(2, 0, 20, kMinutes, 100);
  nox::TCrossHair& hair = chart.CrossHair1();
  hair.SetMode(nox::chVert);
  hair.SetColor(nox::clGreen);
  hair.SetPosX(15 * 60);
  hair.SetLayer(1);
}

}  // namespace

int main(int argc, char** argv) {
  nox::THeadlessHost host;
  nox::TScopedHost useHost(host);

  nox::TGrafon day(nullptr);
  nox::TGrafon afternoon(nullptr);
  SetUpAxes(day, "A day: temperature (left, red), humidity (right, blue)");
  SetUpAxes(afternoon, "The afternoon, from the same data");
  afternoon.SetUseDataOf(&day);  // draws the items of `day`, as they are added

  example::TNoise noise(24);
  const auto phase = [](int minute) { return 2 * std::numbers::pi * (minute - 9 * 60) / kMinutes; };
  day.SetDataColor(nox::clRed);
  for (int minute = 0; minute < kMinutes; ++minute) {
    const double temperature = 15 + 8 * std::sin(phase(minute)) + 0.4 * noise.Gaussian();
    (minute == 0 ? day.MoveToPoint(0, 15) : day.LineToPoint(minute, temperature));
  }
  day.SetCurrentLayer(2);
  day.SetDataColor(nox::clBlue);
  for (int minute = 0; minute < kMinutes; ++minute) {
    const double humidity = 60 - 25 * std::sin(phase(minute)) + 2 * noise.Gaussian();
    (minute == 0 ? day.MoveToPoint(0, 85) : day.LineToPoint(minute, humidity));
  }

  afternoon.SetLayerRange(1, 12 * 60, 0, 18 * 60, 30);  // layer 2's x follows
  day.SaveToPngFile(example::PicturePath(argc, argv, "shared_data_top"));
  afternoon.SaveToPngFile(example::PicturePath(argc, argv, "shared_data_bottom"));
}
