#pragma once
// The control's size, margins and shadow width: everything the chart area depends on. The chart
// area runs from x = MarginLeft to AreaRight() and from y = MarginTop to AreaBottom().

#include <cstdint>

namespace nox::detail {

struct TChartFrame {
  int Width = 0;
  int Height = 0;
  int MarginLeft = 0;
  int MarginRight = 0;
  int MarginTop = 0;
  int MarginBottom = 0;
  int ShadowWidth = 0;

  // The chart area's right and bottom edge (inclusive): W - MR - SW and H - MB - SW.
  std::int64_t AreaRight() const { return std::int64_t{Width} - MarginRight - ShadowWidth; }
  std::int64_t AreaBottom() const { return std::int64_t{Height} - MarginBottom - ShadowWidth; }
  friend bool operator==(const TChartFrame&, const TChartFrame&) = default;
};

}  // namespace nox::detail
