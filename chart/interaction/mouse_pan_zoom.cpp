// The chart-area gestures that move the ranges while the mouse moves: the four pans and the zoom
// drag.

#include "chart/interaction/mouse_pan_zoom.h"

#include <cmath>

#include "chart/Nox_grafon.h"
#include "chart/paint_hold.h"

namespace nox {

namespace detail {

TExtendedRange PanAxis(bool logarithmic, double low, double high, double savedLow, double savedHigh,
                       long double steps) {
  if (logarithmic) {
    const long double f = std::exp(std::log(static_cast<long double>(high) / low) * steps);
    return {savedLow * f, savedHigh * f};
  }
  const long double shift = (static_cast<long double>(high) - low) * steps;
  return {savedLow + shift, savedHigh + shift};
}

long double SnapToPanGrid(long double v, double step, double offset) {
  if (!(step > 0) || !std::isfinite(step)) return v;
  return std::trunc(v / step) * step + offset;
}

}  // namespace detail

bool detail::TGrafonMouse::RangeDragMoves(bool left, int x, int y) {
  if (!left) {
    EndDrag();
    return false;
  }
  if (!m_mouseState.DragStarted) {
    RecordDragStart(x, y);
    return false;
  }
  // Outside the chart area the last range stays and the drag goes on.
  return m_chart.InChartArea(x, y);
}

void detail::TGrafonMouse::PanStep(bool left, int x, int y) {
  if (!RangeDragMoves(left, x, y)) return;
  const long double aw = m_chart.ChartAreaWidth();
  const long double ah = m_chart.ChartAreaHeight();
  const bool panX = m_chart.m_mouseAction != maPanVert;
  const bool panY = m_chart.m_mouseAction != maPanHoriz;
  const bool grid = m_chart.m_mouseAction == maPanGrid;
  TCustomGrafon::TPaintHold hold(m_chart);
  for (int l = 1; l <= kLayerCount; ++l) {
    if (!m_chart.LayerMouseActive(l)) continue;
    const TScalePropsHoriz& px = m_chart.ScaleXOf(l);
    const TScalePropsVert& py = m_chart.ScaleYOf(l);
    // The grid is one of linear world units.
    if (grid && (px.Logarithmic() || py.Logarithmic())) continue;
    const detail::TLayerDragStart& start = m_mouseState.DragStart[static_cast<std::size_t>(l - 1)];
    detail::TExtendedRange nx{px.RangeLow(), px.RangeHigh()};
    detail::TExtendedRange ny{py.RangeLow(), py.RangeHigh()};
    // An axis without extent has nothing to pan along.
    if (panX && aw > 0) {
      nx = detail::PanAxis(px.Logarithmic(), px.RangeLow(), px.RangeHigh(), start.XLow, start.XHigh,
                           (static_cast<long double>(start.X) - x) / aw);
      if (grid) {
        const long double low = detail::SnapToPanGrid(nx.Low, m_chart.m_panGridDx, m_chart.m_panGridOffsX);
        nx = {low, start.XHigh - (start.XLow - low)};
      }
    }
    if (panY && ah > 0) {
      ny = detail::PanAxis(py.Logarithmic(), py.RangeLow(), py.RangeHigh(), start.YLow, start.YHigh,
                           (static_cast<long double>(y) - start.Y) / ah);
      if (grid) {
        const long double low = detail::SnapToPanGrid(ny.Low, m_chart.m_panGridDy, m_chart.m_panGridOffsY);
        ny = {low, start.YHigh - (start.YLow - low)};
      }
    }
    m_chart.SetJointRange(l, false, true, nx.Low, ny.Low, nx.High, ny.High);
  }
  hold.Release();
  if (m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
}

void detail::TGrafonMouse::ZoomDragStep(bool left, int x, int y) {
  if (!RangeDragMoves(left, x, y)) return;
  // Relative to the whole control: a drag across its width to the right narrows x to nothing.
  const long double w = m_chart.Width();
  const long double h = m_chart.Height();
  TCustomGrafon::TPaintHold hold(m_chart);
  for (int l = 1; l <= kLayerCount; ++l) {
    if (!m_chart.LayerMouseActive(l)) continue;
    const detail::TLayerDragStart& start = m_mouseState.DragStart[static_cast<std::size_t>(l - 1)];
    const long double fx = w > 0 ? 1 - (static_cast<long double>(x) - start.X) / w : 1;
    long double fy = h > 0 ? 1 + (static_cast<long double>(y) - start.Y) / h : 1;
    if (m_chart.m_isometric) fy = fx;
    const detail::TExtendedRange nx = detail::ZoomAboutCentre(start.XLow, start.XHigh, fx);
    const detail::TExtendedRange ny = detail::ZoomAboutCentre(start.YLow, start.YHigh, fy);
    m_chart.SetJointRange(l, false, true, nx.Low, ny.Low, nx.High, ny.High);
  }
  hold.Release();
  if (m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
}

}  // namespace nox
