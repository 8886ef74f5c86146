// The view moved by the wheel and the keys: pans by a part of the view, zooms about a point or the
// centre, the home view and the steps back through the zoom history.

#include <cmath>

#include "chart/Nox_grafon.h"
#include "chart/flag_scope.h"
#include "chart/interaction/mouse_pan_zoom.h"
#include "chart/paint_hold.h"

namespace nox {

namespace {

bool NeverRecorded(const detail::TZoomSnapshot& snapshot) {
  for (const detail::TLayerRanges& r : snapshot) {
    if (!r.IsEmpty()) return false;
  }
  return true;
}

// The middle of an axis as it shows: the arithmetic mean, or the geometric one on a logarithmic axis.
double AxisCentre(const TScaleProps& axis) {
  if (axis.Logarithmic() && axis.RangeLow() > 0 && axis.RangeHigh() > 0) {
    return std::sqrt(axis.RangeLow()) * std::sqrt(axis.RangeHigh());
  }
  return axis.RangeLow() / 2 + axis.RangeHigh() / 2;
}

}  // namespace

void detail::TGrafonMouse::NoteHomeView() {
  if (!m_homeView) m_homeView = m_chart.CurrentRanges();
}

bool detail::TGrafonMouse::PanView(long double stepsX, long double stepsY) {
  const detail::TZoomSnapshot before = m_chart.CurrentRanges();
  const TValueScope<TConfineAs> confineAs(m_confineAs, TConfineAs::Pan);
  TCustomGrafon::TPaintHold hold(m_chart);
  for (int l = 1; l <= kLayerCount; ++l) {
    if (!m_chart.LayerMouseActive(l)) continue;
    const TScalePropsHoriz& px = m_chart.ScaleXOf(l);
    const TScalePropsVert& py = m_chart.ScaleYOf(l);
    const detail::TExtendedRange nx = detail::PanAxis(px.Logarithmic(), px.RangeLow(), px.RangeHigh(),
                                                      px.RangeLow(), px.RangeHigh(), stepsX);
    const detail::TExtendedRange ny = detail::PanAxis(py.Logarithmic(), py.RangeLow(), py.RangeHigh(),
                                                      py.RangeLow(), py.RangeHigh(), stepsY);
    m_chart.SetJointRange(l, false, true, nx.Low, ny.Low, nx.High, ny.High);
  }
  hold.Release();
  const bool changed = m_chart.CurrentRanges() != before;
  if (changed && m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
  return changed;
}

bool detail::TGrafonMouse::ZoomView(long double factor, std::optional<TPoint> at, bool zoomX, bool zoomY) {
  const detail::TZoomSnapshot before = m_chart.CurrentRanges();
  const TValueScope<TConfineAs> confineAs(m_confineAs, TConfineAs::Zoom);
  TCustomGrafon::TPaintHold hold(m_chart);
  for (int l = 1; l <= kLayerCount; ++l) {
    if (!m_chart.LayerMouseActive(l)) continue;
    const TScalePropsHoriz& px = m_chart.ScaleXOf(l);
    const TScalePropsVert& py = m_chart.ScaleYOf(l);
    double wx = AxisCentre(px);
    double wy = AxisCentre(py);
    if (at) m_chart.PixelToWorld(l, at->X, at->Y, wx, wy);
    detail::TExtendedRange nx{px.RangeLow(), px.RangeHigh()};
    detail::TExtendedRange ny{py.RangeLow(), py.RangeHigh()};
    if (zoomX) nx = detail::ZoomAboutPoint(px.Logarithmic(), px.RangeLow(), px.RangeHigh(), wx, factor);
    if (zoomY) ny = detail::ZoomAboutPoint(py.Logarithmic(), py.RangeLow(), py.RangeHigh(), wy, factor);
    m_chart.SetJointRange(l, false, true, nx.Low, ny.Low, nx.High, ny.High);
  }
  hold.Release();
  const bool changed = m_chart.CurrentRanges() != before;
  if (changed && m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
  return changed;
}

void detail::TGrafonMouse::RecordNavigation(detail::TNavigationSource source) {
  const std::uint64_t time = m_chart.EventTime();
  if (m_navigation.Continues(source, time, m_chart.m_zoomHistory)) {
    m_chart.m_zoomHistory.ReplaceNewest(m_chart.CurrentRanges());
  } else {
    m_chart.PushZoomHistory();
  }
  m_navigation = {source, time, detail::THistoryMark::Of(m_chart.m_zoomHistory)};
}

void detail::TGrafonMouse::RecallHomeView() {
  m_navigation = {};
  if (!m_homeView) return;
  const detail::TZoomSnapshot before = m_chart.CurrentRanges();
  const detail::TZoomSnapshot home = *m_homeView;
  TCustomGrafon::TPaintHold hold(m_chart);
  // The layers the wheel, the keys and the mouse move; those that follow them come along.
  for (int l = 1; l <= kLayerCount; ++l) {
    if (!m_chart.LayerMouseActive(l)) continue;
    const detail::TLayerRanges& r = home[static_cast<std::size_t>(l - 1)];
    m_chart.SetJointRange(l, false, false, r.XLow, r.YLow, r.XHigh, r.YHigh);
  }
  const bool changed = m_chart.CurrentRanges() != before;
  if (changed) m_chart.PushZoomHistory();
  hold.Release();
  if (changed && m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
}

bool detail::TGrafonMouse::StepBackInHistory() {
  m_navigation = {};
  const int step = m_backMark.Matches(m_chart.m_zoomHistory) ? m_backStep - 1 : -1;
  const detail::TZoomSnapshot* slot = m_chart.m_zoomHistory.Recall(step);
  if (slot == nullptr || NeverRecorded(*slot)) return false;
  m_chart.RecallZoom(step);
  m_backStep = step;
  m_backMark = detail::THistoryMark::Of(m_chart.m_zoomHistory);
  if (m_chart.OnZoomPan) m_chart.OnZoomPan(&m_chart);
  return true;
}

}  // namespace nox
