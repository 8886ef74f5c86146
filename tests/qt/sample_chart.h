#pragma once
// A small chart with a caption, an axis, a dotted grid, a line and marks: the picture the
// high-density and print tests look at.

#include <cmath>

#include "chart/Nox_grafon.h"

namespace nox::test {

constexpr int kSampleWidth = 320, kSampleHeight = 220;

inline void BuildSampleChart(TGrafon& chart) {
  chart.SetBounds(0, 0, kSampleWidth, kSampleHeight);
  chart.SetCaption("Signal over time");
  chart.SetLayerRange(1, 0, -1.2L, 10, 1.2L);
  chart.SetGridStyle(gsPoints);
  chart.MoveTo(0, 0);
  for (int i = 1; i <= 200; ++i) chart.LineTo(i / 20.0, std::sin(i / 10.0));
  for (int i = 0; i <= 10; ++i) chart.AddMark(3, i, std::cos(i / 2.0));
}

}  // namespace nox::test
