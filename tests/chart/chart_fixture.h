#pragma once
// Shared set-up of the chart tests: a fresh headless host per test, and a chart class that opens
// the internal operations and counts its paints.

#include <gtest/gtest.h>

#include "chart/Nox_grafon.h"
#include "platform/host.h"

namespace nox::test {

class TTestGrafon : public TGrafon {
 public:
  explicit TTestGrafon(TComponent* owner = nullptr) : TGrafon(owner) {}

  using TCustomGrafon::AppendLineTo;
  using TCustomGrafon::AppendMark;
  using TCustomGrafon::AppendMoveTo;
  using TCustomGrafon::ApplyLayerRange;
  using TCustomGrafon::ChartImage;
  using TCustomGrafon::ControlImage;
  using TCustomGrafon::DeviceAspectX;
  using TCustomGrafon::DeviceAspectY;
  using TCustomGrafon::MappingX;
  using TCustomGrafon::MappingY;
  using TCustomGrafon::PushZoomHistory;
  using TCustomGrafon::ResetZoomHistory;
  using TCustomGrafon::ScaleChanged;
  using TCustomGrafon::SetJointRange;
  using TCustomGrafon::SetLongText;

  void Paint() override {
    ++Paints;
    TGrafon::Paint();
  }

  int Paints = 0;  // Repaint calls Paint only when the control may paint
};

class ChartTest : public ::testing::Test {
 protected:
  THeadlessHost host;
  TScopedHost scoped{host};
};

// Ranges of one layer as {xLow, xHigh, yLow, yHigh}.
inline std::array<double, 4> RangesOf(const TCustomGrafon& chart, int layer) {
  return {chart.ScaleXOf(layer).RangeLow(), chart.ScaleXOf(layer).RangeHigh(),
          chart.ScaleYOf(layer).RangeLow(), chart.ScaleYOf(layer).RangeHigh()};
}

}  // namespace nox::test
