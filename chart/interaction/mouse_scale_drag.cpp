// Dragging the scales of the layers with the mouse, whatever the chart's own MouseAction: each
// scale pans or zooms its axis as its property object's MouseAction says. A double click on a
// scale switches it between panning and zooming.

#include <optional>

#include "chart/Nox_grafon.h"
#include "chart/paint_hold.h"
#include "scale/drag_scale_range.h"

namespace nox {

namespace {

detail::TScaleEdge EdgeOf(const TScalePropsHoriz& props) {
  return props.ScaleLocation() == slTop ? detail::seTop : detail::seBottom;
}

detail::TScaleEdge EdgeOf(const TScalePropsVert& props) {
  return props.ScaleLocation() == slRight ? detail::seRight : detail::seLeft;
}

void ToggleBetweenPanAndZoom(TScaleProps& props) {
  if (props.MouseAction() == maPan) {
    props.SetMouseAction(maZoom);
  } else if (props.MouseAction() == maZoom) {
    props.SetMouseAction(maPan);
  }
}

}  // namespace

int detail::TGrafonMouse::ScaleHitTest(int x, int y) const {
  const detail::TChartFrame frame = m_chart.ChartFrame();
  // Vertical scales first, then horizontal ones; the first hit wins.
  for (int l = 1; l <= kLayerCount; ++l) {
    const TScalePropsVert& props = m_chart.ScaleYOf(l);
    if (props.Visible() && detail::InScaleHitBand(frame, EdgeOf(props), props.ScalePos(), x, y)) return l;
  }
  for (int l = 1; l <= kLayerCount; ++l) {
    const TScalePropsHoriz& props = m_chart.ScaleXOf(l);
    if (props.Visible() && detail::InScaleHitBand(frame, EdgeOf(props), props.ScalePos(), x, y)) return -l;
  }
  return 0;
}

TPopupMenu* TCustomGrafon::PopupMenuAt(TPoint mousePos) const {
  const int hit = m_mouse.ScaleHitTest(mousePos.X, mousePos.Y);
  if (hit != 0) {
    TScale& scale = hit > 0 ? *m_scaleY[static_cast<std::size_t>(hit - 1)]
                            : *m_scaleX[static_cast<std::size_t>(-hit - 1)];
    if (scale.PopupMenu() != nullptr) return scale.PopupMenu();
  }
  return PopupMenu();
}

void detail::TGrafonMouse::DragScales(bool left, int x, int y) {
  if (!left) {
    EndDrag();
    return;
  }
  if (!m_mouseState.DragStarted) {
    if (ScaleHitTest(x, y) != 0) RecordDragStart(x, y);
    return;
  }
  // While a window is drawn no scale is dragged.
  if (m_mouseState.WindowState != zsNormal) return;
  const detail::TChartFrame frame = m_chart.ChartFrame();
  // Held from the first change on: one repaint for the move, however many scales follow it.
  std::optional<TCustomGrafon::TPaintHold> hold;
  for (int l = 1; l <= kLayerCount; ++l) {
    const detail::TLayerDragStart& start = m_mouseState.DragStart[static_cast<std::size_t>(l - 1)];
    for (const bool xAxis : {true, false}) {
      const TScaleProps& props =
          xAxis ? static_cast<const TScaleProps&>(m_chart.ScaleXOf(l)) : m_chart.ScaleYOf(l);
      if (props.MouseAction() == maNone) continue;
      const detail::TScaleEdge edge = xAxis ? EdgeOf(m_chart.ScaleXOf(l)) : EdgeOf(m_chart.ScaleYOf(l));
      if (!detail::InScaleDragBand(frame, edge, props.ScalePos(), x, y)) continue;
      TScaleDrag drag;
      drag.X = x;
      drag.Y = y;
      drag.StartX = start.X;
      drag.StartY = start.Y;
      drag.Width = frame.Width;
      drag.Height = frame.Height;
      drag.MarginLeft = frame.MarginLeft;
      drag.MarginRight = frame.MarginRight;
      drag.MarginTop = frame.MarginTop;
      drag.MarginBottom = frame.MarginBottom;
      drag.SavedLow = xAxis ? start.XLow : start.YLow;
      drag.SavedHigh = xAxis ? start.XHigh : start.YHigh;
      drag.Low = props.RangeLow();
      drag.High = props.RangeHigh();
      drag.Action = props.MouseAction();
      drag.Vertical = !xAxis;
      drag.Logarithmic = props.Logarithmic();
      const std::optional<TScaleRange> range = DragScaleRange(drag);
      if (!range) continue;
      if (!hold) hold.emplace(m_chart);
      const TScaleProps& other =
          xAxis ? static_cast<const TScaleProps&>(m_chart.ScaleYOf(l)) : m_chart.ScaleXOf(l);
      if (xAxis) {
        m_chart.SetJointRange(l, false, true, range->Low, other.RangeLow(), range->High, other.RangeHigh());
      } else {
        m_chart.SetJointRange(l, false, true, other.RangeLow(), range->Low, other.RangeHigh(), range->High);
      }
    }
  }
  if (!hold) return;
  hold->Release();
  if (m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
}

void detail::TGrafonMouse::ToggleScaleAction(int x, int y) {
  const int hit = ScaleHitTest(x, y);
  if (hit < 0) ToggleBetweenPanAndZoom(m_chart.ScaleXOf(-hit));
  if (hit > 0) ToggleBetweenPanAndZoom(m_chart.ScaleYOf(hit));
}

}  // namespace nox
