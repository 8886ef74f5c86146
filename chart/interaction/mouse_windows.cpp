// The window gestures: a rubber figure from the press to the release, then a zoom to the window
// (maZoomWind, maZoomWindPos) or a report of it (maRubberBand, maSelectRect).

#include <algorithm>
#include <cstdint>
#include <utility>

#include "chart/Nox_grafon.h"
#include "chart/interaction/mouse_actions.h"
#include "chart/paint_hold.h"
#include "platform/raster_math.h"

namespace nox {

namespace {

// Swaps the corners so that they run the way the axis does.
void OrientLikeAxis(double& first, double& second, const TScaleProps& axis) {
  const bool ascending = axis.RangeLow() < axis.RangeHigh();
  const bool descending = axis.RangeLow() > axis.RangeHigh();
  if ((second < first && ascending) || (second > first && descending)) std::swap(first, second);
}

}  // namespace

void detail::TGrafonMouse::StartWindow(TMouseButton button, int x, int y) {
  if (!detail::IsWindowAction(m_chart.m_mouseAction) || m_mouseState.WindowState != zsNormal ||
      button != mbLeft || !m_chart.InChartArea(x, y)) {
    return;
  }
  m_mouseState.WindowState = zsDrawWin;
  m_mouseState.WindowStart = {x, y};
  m_mouseState.WindowEnd = {x, y};
}

void detail::TGrafonMouse::WindowMoveStep(int& x, int& y) {
  const detail::TChartFrame frame = m_chart.ChartFrame();
  const TPoint start = m_mouseState.WindowStart;
  x = detail::ClampXToChartArea(frame, x);
  if (m_chart.m_isometric &&
      (m_chart.m_mouseAction == maZoomWind || m_chart.m_mouseAction == maZoomWindPos)) {
    // A square: y goes as far from the start as x does, on the pointer's side.
    const std::int64_t dx = std::int64_t{x} - start.X;
    const std::int64_t dy = std::int64_t{y} - start.Y;
    const bool sameSign = (dx > 0 && dy > 0) || (dx < 0 && dy < 0);
    const std::int64_t square = sameSign ? start.Y + dx : start.Y - dx;
    y = detail::SaturateToInt(square);
  }
  y = detail::ClampYToChartArea(frame, y);
  const detail::TXorFigureKind kind = m_chart.m_mouseAction == maRubberBand ? detail::xfLine : detail::xfRect;
  XorRubberFigure({kind, start, m_mouseState.WindowEnd});
  XorRubberFigure({kind, start, {x, y}});
  m_mouseState.WindowEnd = {x, y};
}

void detail::TGrafonMouse::WindowRelease(TMouseButton button) {
  m_mouseState.WindowState = zsNormal;
  // Event handlers may change MouseAction; this release finishes the gesture it began as.
  const TMouseActMode action = m_chart.m_mouseAction;
  const TPoint a = m_mouseState.WindowStart;
  const TPoint b = m_mouseState.WindowEnd;
  const detail::TXorFigureKind kind = action == maRubberBand ? detail::xfLine : detail::xfRect;
  if (button == mbRight) {
    XorRubberFigure({kind, a, b});
    return;
  }
  // The middle button, and a window without width or height, end without event; the release
  // handler takes the figure away.
  if (button != mbLeft || a.X == b.X || a.Y == b.Y) return;
  TCustomGrafon::TPaintHold hold(m_chart);
  bool zoomed = false;
  for (int l = 1; l <= kLayerCount; ++l) {
    if (!m_chart.LayerMouseActive(l)) continue;
    double wx1 = 0, wy1 = 0, wx2 = 0, wy2 = 0;
    m_chart.PixelToWorld(l, a.X, a.Y, wx1, wy1);
    m_chart.PixelToWorld(l, b.X, b.Y, wx2, wy2);
    if (action == maZoomWindPos || action == maSelectRect) {
      OrientLikeAxis(wx1, wx2, m_chart.ScaleXOf(l));
      OrientLikeAxis(wy1, wy2, m_chart.ScaleYOf(l));
    }
    switch (action) {
      case maRubberBand:
        if (m_chart.OnRubberBand) m_chart.OnRubberBand(&m_chart, l, wx1, wy1, wx2, wy2);
        break;
      case maSelectRect:
        if (m_chart.OnSelectRect) m_chart.OnSelectRect(&m_chart, l, wx1, wy1, wx2, wy2);
        break;
      default:
        zoomed |= m_chart.SetJointRange(l, false, false, wx1, wy1, wx2, wy2);
        break;
    }
  }
  // One snapshot for the gesture, however many layers it zoomed.
  if (zoomed) m_chart.PushZoomHistory();
  if (m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
  // The repaint would take the figure away too, but only if the chart may paint now.
  EraseRubberFigures();
  hold.Release();
}

}  // namespace nox
