// The control's front to the world-to-pixel mapping of its layers (model/layer_mapping.h).

#include <algorithm>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {
int ClampedLayerIndex(int layer) { return std::clamp(layer, 1, kLayerCount) - 1; }
}  // namespace

int TCustomGrafon::ChartAreaWidth() const { return Width() - m_marginLeft - m_marginRight - m_shadowWidth; }

int TCustomGrafon::ChartAreaHeight() const { return Height() - m_marginTop - m_marginBottom - m_shadowWidth; }

void TCustomGrafon::UpdateLayerMapping() {
  if (IsLoading()) return;
  m_mapping.Update(ChartFrame(), m_propsX, m_propsY);
}

void TCustomGrafon::WorldToPixel(int layer, double x, double y, int& px, int& py) const {
  const auto i = static_cast<std::size_t>(ClampedLayerIndex(layer));
  const TScaleProps& sx = m_propsX[i];
  const TScaleProps& sy = m_propsY[i];
  px = detail::MapToPixel(m_mapping.X(i), sx.Logarithmic(), x, BelowLogPixelX(i));
  py = detail::MapToPixel(m_mapping.Y(i), sy.Logarithmic(), y, BelowLogPixelY(i));
}

int TCustomGrafon::BelowLogPixelX(std::size_t index) const {
  const TScaleProps& sx = m_propsX[index];
  return sx.RangeHigh() < sx.RangeLow() ? Width() : 0;
}

int TCustomGrafon::BelowLogPixelY(std::size_t index) const {
  const TScaleProps& sy = m_propsY[index];
  return sy.RangeHigh() < sy.RangeLow() ? 0 : Height();
}

void TCustomGrafon::PixelToWorld(int layer, int px, int py, double& x, double& y) const {
  const auto i = static_cast<std::size_t>(ClampedLayerIndex(layer));
  const TScaleProps& sx = m_propsX[i];
  const TScaleProps& sy = m_propsY[i];
  x = detail::MapToWorld(m_mapping.X(i), sx.Logarithmic(), px, sx.RangeLow());
  y = detail::MapToWorld(m_mapping.Y(i), sy.Logarithmic(), py, sy.RangeLow());
}

}  // namespace nox
