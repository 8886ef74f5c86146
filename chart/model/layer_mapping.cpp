#include "chart/model/layer_mapping.h"

#include "chart/model/grafon_error.h"

namespace nox::detail {

void TLayerMapping::Update(const TChartFrame& frame, const std::array<TScalePropsHoriz, kLayerCount>& x,
                           const std::array<TScalePropsVert, kLayerCount>& y) {
  // The coefficients depend only on the frame and on each axis' own inputs.
  if (frame != m_frame) {
    m_inputsX.fill(std::nullopt);
    m_inputsY.fill(std::nullopt);
    m_frame = frame;
  }
  const long double w = frame.Width;
  const long double h = frame.Height;
  const long double left = frame.MarginLeft;
  const long double right = static_cast<long double>(frame.AreaRight());
  const long double top = frame.MarginTop;
  const long double bottom = static_cast<long double>(frame.AreaBottom());
  for (std::size_t i = 0; i < static_cast<std::size_t>(kLayerCount); ++i) {
    const TAxisInputs xInputs{x[i].Logarithmic(), x[i].RangeLow(), x[i].RangeHigh()};
    if (m_inputsX[i] != xInputs) {
      if (!ComputeAxisMapping(xInputs.Logarithmic, xInputs.Low, xInputs.High, left, right, right - left,
                              w / 2, m_x[i])) {
        throw ENoxGrafonError(kNegativeLogAxis);
      }
      m_inputsX[i] = xInputs;
    }
    const TAxisInputs yInputs{y[i].Logarithmic(), y[i].RangeLow(), y[i].RangeHigh()};
    if (m_inputsY[i] != yInputs) {
      if (!ComputeAxisMapping(yInputs.Logarithmic, yInputs.Low, yInputs.High, bottom, top, bottom - top,
                              h / 2, m_y[i])) {
        throw ENoxGrafonError(kNegativeLogAxis);
      }
      m_inputsY[i] = yInputs;
    }
  }
}

void TLayerMapping::CopyCoefficients(const TLayerMapping& source) {
  m_x = source.m_x;
  m_y = source.m_y;
  m_inputsX.fill(std::nullopt);
  m_inputsY.fill(std::nullopt);
}

}  // namespace nox::detail
