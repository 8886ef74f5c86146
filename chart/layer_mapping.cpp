// The world-to-pixel mapping of the 16 layers.

#include <algorithm>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {
constexpr const char* kNegativeLogAxis = "Logarithmic axis must not be negative.";

int ClampedLayerIndex(int layer) { return std::clamp(layer, 1, kLayerCount) - 1; }
}  // namespace

int TCustomGrafon::ChartAreaWidth() const { return Width() - m_marginLeft - m_marginRight - m_shadowWidth; }

int TCustomGrafon::ChartAreaHeight() const { return Height() - m_marginTop - m_marginBottom - m_shadowWidth; }

void TCustomGrafon::UpdateLayerMapping() {
  if (IsLoading()) return;
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
    if (!detail::ComputeAxisMapping(px.Logarithmic(), px.RangeLow(), px.RangeHigh(), left, right,
                                    right - left, w / 2, m_mapX[i])) {
      throw ENoxGrafonError(kNegativeLogAxis);
    }
    if (!detail::ComputeAxisMapping(py.Logarithmic(), py.RangeLow(), py.RangeHigh(), bottom, top,
                                    bottom - top, h / 2, m_mapY[i])) {
      throw ENoxGrafonError(kNegativeLogAxis);
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
