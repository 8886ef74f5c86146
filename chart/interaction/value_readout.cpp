// The value readout: the data point nearest to a pixel (model/nearest_point.h), and OnItemHover as
// the pointer moves.

#include "chart/Nox_grafon.h"
#include "chart/model/nearest_point.h"
#include "platform/raster_math.h"

namespace nox {

std::optional<TgfItemHit> TCustomGrafon::NearestDataItem(int x, int y, int radius) const {
  const detail::TChartFrame frame = ChartFrame();
  detail::TNearestPointQuery query;
  query.Pointer = {x, y};
  query.Radius = radius;
  query.Area = Rect(frame.MarginLeft, frame.MarginTop, detail::SaturateToInt(frame.AreaRight() + 1),
                    detail::SaturateToInt(frame.AreaBottom() + 1));
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    const TScaleProps& sx = m_propsX[i];
    const TScaleProps& sy = m_propsY[i];
    query.X[i] = {m_mapping.X(i), sx.Logarithmic(), BelowLogPixelX(i)};
    query.Y[i] = {m_mapping.Y(i), sy.Logarithmic(), BelowLogPixelY(i)};
    query.LayerVisible[i] = m_items.LayerVisible(static_cast<int>(i) + 1);
  }
  query.ClassVisible = &m_items.DataClassVisible;
  const std::optional<detail::TNearestPoint> found = detail::FindNearestPoint(m_items.Data->Items(), query);
  if (!found) return std::nullopt;
  const TgfChartItem item = m_items.Data->Items()[found->Index];
  return TgfItemHit{static_cast<int>(found->Index), item.Layer, item.X1, item.Y1, found->Pixel};
}

void detail::TGrafonMouse::ReportItemHover(int x, int y) {
  if (!m_chart.OnItemHover) return;
  ReportItemHover(m_chart.InChartArea(x, y) ? m_chart.NearestDataItem(x, y, m_chart.m_readoutRadius)
                                            : std::nullopt);
}

void detail::TGrafonMouse::ReportItemHover(const std::optional<TgfItemHit>& hit) {
  if (!m_chart.OnItemHover || hit == m_hover) return;
  m_hover = hit;
  m_chart.OnItemHover(&m_chart, m_hover);
}

}  // namespace nox
