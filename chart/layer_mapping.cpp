// The world-to-pixel mapping of the 16 layers.

#include <algorithm>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {
int ClampedLayerIndex(int layer) { return std::clamp(layer, 1, kLayerCount) - 1; }
}  // namespace

int TCustomGrafon::ChartAreaWidth() const { return Width() - m_marginLeft - m_marginRight - m_shadowWidth; }

int TCustomGrafon::ChartAreaHeight() const { return Height() - m_marginTop - m_marginBottom - m_shadowWidth; }

void TCustomGrafon::ForgetMappingInputs() {
  m_mappedX.fill(std::nullopt);
  m_mappedY.fill(std::nullopt);
}

void TCustomGrafon::UpdateLayerMapping() {
  if (IsLoading()) return;
  // The coefficients depend only on these and on each axis' own inputs.
  const std::array<int, 7> geometry{Width(),     Height(),       m_marginLeft, m_marginRight,
                                    m_marginTop, m_marginBottom, m_shadowWidth};
  if (geometry != m_mappedGeometry) {
    ForgetMappingInputs();
    m_mappedGeometry = geometry;
  }
  const long double w = Width();
  const long double h = Height();
  const long double left = m_marginLeft;
  const long double right = w - m_marginRight - m_shadowWidth;
  const long double top = m_marginTop;
  const long double bottom = h - m_marginBottom - m_shadowWidth;
  for (std::size_t i = 0; i < static_cast<std::size_t>(kLayerCount); ++i) {
    const TScaleProps& px = m_propsX[i];
    const TScaleProps& py = m_propsY[i];
    // RangeLow of X at the left edge, RangeHigh of Y at the top edge.
    const TAxisMappingInputs xInputs{px.Logarithmic(), px.RangeLow(), px.RangeHigh()};
    if (m_mappedX[i] != xInputs) {
      if (!detail::ComputeAxisMapping(xInputs.Logarithmic, xInputs.Low, xInputs.High, left, right,
                                      right - left, w / 2, m_mapX[i])) {
        throw ENoxGrafonError(kNegativeLogAxis);
      }
      m_mappedX[i] = xInputs;
    }
    const TAxisMappingInputs yInputs{py.Logarithmic(), py.RangeLow(), py.RangeHigh()};
    if (m_mappedY[i] != yInputs) {
      if (!detail::ComputeAxisMapping(yInputs.Logarithmic, yInputs.Low, yInputs.High, bottom, top,
                                      bottom - top, h / 2, m_mapY[i])) {
        throw ENoxGrafonError(kNegativeLogAxis);
      }
      m_mappedY[i] = yInputs;
    }
  }
}

void TCustomGrafon::WorldToPixel(int layer, double x, double y, int& px, int& py) const {
  const auto i = static_cast<std::size_t>(ClampedLayerIndex(layer));
  const TScaleProps& sx = m_propsX[i];
  const TScaleProps& sy = m_propsY[i];
  px = detail::MapToPixel(m_mapX[i], sx.Logarithmic(), x, sx.RangeHigh() < sx.RangeLow() ? Width() : 0);
  py = detail::MapToPixel(m_mapY[i], sy.Logarithmic(), y, sy.RangeHigh() < sy.RangeLow() ? 0 : Height());
}

void TCustomGrafon::PixelToWorld(int layer, int px, int py, double& x, double& y) const {
  const auto i = static_cast<std::size_t>(ClampedLayerIndex(layer));
  const TScaleProps& sx = m_propsX[i];
  const TScaleProps& sy = m_propsY[i];
  x = detail::MapToWorld(m_mapX[i], sx.Logarithmic(), px, sx.RangeLow());
  y = detail::MapToWorld(m_mapY[i], sy.Logarithmic(), py, sy.RangeLow());
}

}  // namespace nox
