// The chart's mouse handlers: press, move (with its re-entry guard and the world-position report),
// release and double click, each running its steps in a fixed order, and the cursor over the
// chart area. The gestures themselves live in the other mouse_*.cpp files and rect_pick.cpp.

#include "chart/interaction/mouse_actions.h"

#include "chart/Nox_grafon.h"
#include "chart/flag_scope.h"
#include "chart/paint_hold.h"
#include "platform/host.h"

namespace nox {

namespace detail {

std::optional<TCursor> CursorOfAction(TMouseActMode action) {
  switch (action) {
    case maNone:
      return crCross;
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maPanGrid:
      return TCursor{1};
    case maZoomWind:
      return TCursor{2};
    case maZoomDrag:
      return TCursor{3};
    case maZoomWindPos:
      return TCursor{4};
    case maRubberBand:
    case maDragCrossH:
    case maDragLabel:
    case maSelectRect:
      return crDefault;
    default:
      return std::nullopt;
  }
}

}  // namespace detail

detail::TGrafonMouse::TGrafonMouse(TCustomGrafon& chart) : m_chart(chart) {
  m_mouseTrace.reserve(kMaxTracePoints);
}

void TCustomGrafon::LastMouseWorldPos(double& x, double& y) const {
  x = m_mouse.State().LastWorldX;
  y = m_mouse.State().LastWorldY;
}

void detail::TGrafonMouse::RecordDragStart(int x, int y) {
  for (int l = 1; l <= kLayerCount; ++l) {
    const TScaleProps& px = m_chart.ScaleXOf(l);
    const TScaleProps& py = m_chart.ScaleYOf(l);
    m_mouseState.DragStart[static_cast<std::size_t>(l - 1)] = {
        x, y, px.RangeLow(), px.RangeHigh(), py.RangeLow(), py.RangeHigh()};
  }
  m_mouseState.DragStarted = true;
}

bool detail::TGrafonMouse::DragMovedRanges() const {
  if (!m_mouseState.DragStarted) return false;
  for (int l = 1; l <= kLayerCount; ++l) {
    const detail::TLayerDragStart& start = m_mouseState.DragStart[static_cast<std::size_t>(l - 1)];
    const TScaleProps& px = m_chart.ScaleXOf(l);
    const TScaleProps& py = m_chart.ScaleYOf(l);
    if (start.XLow != px.RangeLow() || start.XHigh != px.RangeHigh() || start.YLow != py.RangeLow() ||
        start.YHigh != py.RangeHigh()) {
      return true;
    }
  }
  return false;
}

void detail::TGrafonMouse::EndDrag() {
  m_mouseState.DragStarted = false;
  m_mouseState.PickedFor = maNone;
}

bool detail::TGrafonMouse::GestureUnderWay(TShiftState shift) const {
  return shift.Contains(ssLeft) || shift.Contains(ssMiddle) || m_mouseState.DragStarted ||
         m_mouseState.WindowState == zsDrawWin || m_mouseState.RectPick == msRectDraw ||
         m_mouseState.Cancelled;
}

void detail::TGrafonMouse::TakeRightClickOfGesture(TMouseButton button, TShiftState shift) {
  // An armed rectangle pick is disarmed by the right press: that click is the pick's too.
  if (button == mbRight && (GestureUnderWay(shift) || m_mouseState.RectPick == msFirstCorner))
    m_chart.TakeRightClick();
}

bool TCustomGrafon::CancelGesture() {
  detail::TMouseState& m = m_mouse.State();
  const bool underWay =
      m.DragStarted || m.WindowState == zsDrawWin || m.RectPick == msFirstCorner || m.RectPick == msRectDraw;
  if (!underWay) return false;
  m.WindowState = zsNormal;
  if (m.RectPick != msFinished) m.RectPick = msNormal;
  if (m_mouse.DragMovedRanges()) {
    TPaintHold hold(*this);
    for (int l = 1; l <= kLayerCount; ++l) {
      const detail::TLayerDragStart& start = m.DragStart[static_cast<std::size_t>(l - 1)];
      SetJointRange(l, false, false, start.XLow, start.YLow, start.XHigh, start.YHigh);
    }
    hold.Release();
    if (OnZoomPan) OnZoomPan(this);
  }
  m_mouse.EndDrag();
  if (m_mouseAction == maDrawMTrace) m_mouse.EndTraceStroke();
  m_mouse.EraseRubberFigures();
  m.Cancelled = true;
  return true;
}

void TCustomGrafon::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The press that comes with a double click.
  if (m_mouse.State().SkipNext) {
    m_mouse.State().SkipNext = false;
    return;
  }
  m_mouse.NoteHomeView();
  m_mouse.TakeRightClickOfGesture(button, shift);
  if (button == mbLeft) m_mouse.State().Cancelled = false;
  TControl::MouseDown(button, shift, x, y);
  m_mouse.RectPickPress(button, x, y);
  m_mouse.StartWindow(button, x, y);
  // Pans, zoom drags, object drags and the trace start at the first move with the left button.
}

void TCustomGrafon::MouseMove(TShiftState shift, int x, int y) {
  // A move that arrives while an earlier one is handled (an event handler pumping messages).
  if (m_mouse.State().InMouseMove) return;
  const detail::TFlagScope busy(m_mouse.State().InMouseMove);
  m_mouse.HandleMouseMove(shift, x, y);
  if (OnMouseMoveInChart) {
    // The pointer's own position, not the clamped one of the gestures.
    double wx = 0;
    double wy = 0;
    PixelToWorld(m_items.Pen.Layer, x, y, wx, wy);
    OnMouseMoveInChart(this, InChartArea(x, y), shift, wx, wy);
  }
  m_mouse.ReportItemHover(x, y);
}

void detail::TGrafonMouse::HandleMouseMove(TShiftState shift, int x, int y) {
  m_mouseState.LastPos = {x, y};
  if (m_mouseState.Cancelled && !shift.Contains(ssLeft) && !shift.Contains(ssRight) &&
      !shift.Contains(ssMiddle)) {
    m_mouseState.Cancelled = false;
  }
  m_chart.TControl::MouseMove(shift, x, y);
  if (m_mouseState.Cancelled) {
    ShowMousePosition(x, y);
    return;
  }
  RectPickMove(x, y);
  const bool left = shift.Contains(ssLeft);
  DragScales(left, x, y);
  switch (m_chart.m_mouseAction) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maPanGrid:
      PanStep(left, x, y);
      break;
    case maZoomDrag:
      ZoomDragStep(left, x, y);
      break;
    case maRubberBand:
    case maZoomWind:
    case maZoomWindPos:
    case maSelectRect:
      if (m_mouseState.WindowState == zsDrawWin) WindowMoveStep(x, y);
      break;
    case maDragCrossH:
      DragCrossHairStep(left, x, y);
      break;
    case maDragLabel:
      DragTextLabelStep(left, x, y);
      break;
    case maDrawMTrace:
      TraceStep(left, x, y);
      break;
    default:
      break;
  }
  ShowMousePosition(x, y);
}

void detail::TGrafonMouse::ShowMousePosition(int x, int y) {
  const bool inside = m_chart.InChartArea(x, y);
  if (inside)
    m_chart.PixelToWorld(m_chart.m_items.Pen.Layer, x, y, m_mouseState.LastWorldX, m_mouseState.LastWorldY);
  std::optional<TCursor> cursor = crDefault;
  if (inside && !m_chart.m_mouseCursorFixed) cursor = detail::CursorOfAction(m_chart.m_mouseAction);
  if (!cursor) return;
  Host().SetScreenCursor(*cursor);
  m_mouseState.CursorSet = *cursor;
}

void TCustomGrafon::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (m_mouse.State().SkipNext) {
    m_mouse.State().SkipNext = false;
    return;
  }
  m_mouse.TakeRightClickOfGesture(button, shift);
  m_mouse.State().Cancelled = false;
  const bool moved = m_mouse.DragMovedRanges();
  m_mouse.EndDrag();
  m_mouse.RectPickRelease(button, x, y);
  m_mouse.EndTraceStroke();
  if (detail::IsWindowAction(m_mouseAction) && m_mouse.State().WindowState == zsDrawWin)
    m_mouse.WindowRelease(button);
  // One snapshot per pan or zoom drag, whatever the joins, and none when the view did not move (a
  // click): the history keeps views the user can go back to.
  if ((detail::IsPanAction(m_mouseAction) || m_mouseAction == maZoomDrag) && moved) PushZoomHistory();
  m_mouse.EraseRubberFiguresIfIdle();
  TControl::MouseUp(button, shift, x, y);
}

void TCustomGrafon::DblClick() {
  m_mouse.State().SkipNext = true;
  m_mouse.ToggleScaleAction(m_mouse.State().LastPos.X, m_mouse.State().LastPos.Y);
  TControl::DblClick();
}

void TCustomGrafon::MouseLeave() {
  TControl::MouseLeave();
  // A cursor the chart set would otherwise stay over the whole application.
  if (m_mouse.State().CursorSet != crDefault && Host().ScreenCursor() == m_mouse.State().CursorSet) {
    Host().SetScreenCursor(crDefault);
  }
  m_mouse.State().CursorSet = crDefault;
  m_mouse.ReportItemHover(std::nullopt);
}

}  // namespace nox
