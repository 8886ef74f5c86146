#pragma once
// The world-to-pixel mapping of the 16 layers: each axis' coefficients, recomputed only for the
// axes whose range, logarithmic switch or chart geometry changed since they were last computed.

#include <array>
#include <cstddef>
#include <optional>

#include "base/Nox_noxcolors.h"
#include "chart/model/chart_frame.h"
#include "chart/model/scale_props.h"
#include "scale/axis_mapping.h"

namespace nox::detail {

class TLayerMapping {
 public:
  // Recomputes the axes whose inputs (their own range and logarithmic switch, and the frame) changed
  // since they were last computed: RangeLow of X at the chart area's left edge, RangeHigh
  // of Y at its top edge. A logarithmic axis with a bound <= 0 throws ENoxGrafonError
  // (kNegativeLogAxis); the axes before it keep their new mapping.
  void Update(const TChartFrame& frame, const std::array<TScalePropsHoriz, kLayerCount>& x,
              const std::array<TScalePropsVert, kLayerCount>& y);
  // Takes over source's coefficients; the next Update recomputes every axis.
  void CopyCoefficients(const TLayerMapping& source);

  // index 0..15
  const TAxisMapping& X(std::size_t index) const { return m_x[index]; }
  const TAxisMapping& Y(std::size_t index) const { return m_y[index]; }

 private:
  // What an axis' mapping was last computed from.
  struct TAxisInputs {
    bool Logarithmic = false;
    double Low = 0;
    double High = 0;
    friend bool operator==(const TAxisInputs&, const TAxisInputs&) = default;
  };

  std::array<TAxisMapping, kLayerCount> m_x{};
  std::array<TAxisMapping, kLayerCount> m_y{};
  std::array<std::optional<TAxisInputs>, kLayerCount> m_inputsX{};  // none: to be computed
  std::array<std::optional<TAxisInputs>, kLayerCount> m_inputsY{};
  TChartFrame m_frame;  // of the mappings computed
};

}  // namespace nox::detail
