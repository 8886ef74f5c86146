// Ranges of the 16 layers and everything that changes them: SetLayerRange, the range-update path
// (SetJointRange, ApplyLayerRange) with joined layers, confinement and the minimum range, the zoom
// history, and isometric scaling.

#include <cmath>

#include "chart/Nox_grafon.h"
#include "chart/model/range_confinement.h"
#include "chart/paint_hold.h"

namespace nox {

// --- confinement ---

bool TCustomGrafon::IsPanning(bool xAxis) const {
  const detail::TConfineAs confineAs = m_mouse.ConfineAs();
  if (confineAs != detail::TConfineAs::MouseAction) return confineAs == detail::TConfineAs::Pan;
  switch (m_mouseAction) {
    case maPan:
    case maPanGrid:
      return true;
    case maPanHoriz:
      return xAxis;
    case maPanVert:
      return !xAxis;
    default:
      return false;
  }
}

// --- the range-update path ---

void TCustomGrafon::SetLayerRange(int layer, long double xLow, long double yLow, long double xHigh,
                                  long double yHigh) {
  if (layer < 0 || layer > kLayerCount) return;
  // One paint at the end instead of one per layer.
  TPaintHold hold(*this);
  const int first = layer == 0 ? 1 : layer;
  const int last = layer == 0 ? kLayerCount : layer;
  for (int l = first; l <= last; ++l) {
    const TScalePropsHoriz& px = ScaleXOf(l);
    const TScalePropsVert& py = ScaleYOf(l);
    long double xl = xLow, xh = xHigh, yl = yLow, yh = yHigh;
    if (xl == xh) {
      if (px.Logarithmic()) {
        xl /= 1.1L;
        xh *= 1.1L;
      } else {
        xl -= px.MinRange() / 2.0L;
        xh += px.MinRange() / 2.0L;
      }
    }
    if (yl == yh) {
      if (py.Logarithmic()) {
        yl /= 1.1L;
        yh *= 1.1L;
      } else {
        yl -= py.MinRange() / 2.0L;
        yh += py.MinRange() / 2.0L;
      }
    }
    if (m_isometric && ChartAreaWidth() + 1 > 0 && ChartAreaHeight() + 1 > 0) {
      // The X range wins; Y gets the same physical scale, centred where it was asked for.
      const long double mid = (yh + yl) / 2;
      const long double h =
          (xh - xl) * (ChartAreaHeight() + 1) / (ChartAreaWidth() + 1) * m_aspectY / m_aspectX / 2;
      yh = mid + h;
      yl = mid - h;
    }
    SetJointRange(l, true, false, xl, yl, xh, yh);
  }
  hold.Release();
}

bool TCustomGrafon::SetJointRange(int layer, bool recordHistory, bool confine, long double xLow,
                                  long double yLow, long double xHigh, long double yHigh) {
  if (layer < 1 || layer > kLayerCount) return false;
  TPaintHold hold(*this);
  // A controlled axis cannot be moved directly.
  if (m_jointLayers.XControlledBy(layer) != layer) {
    xLow = ScaleXOf(layer).RangeLow();
    xHigh = ScaleXOf(layer).RangeHigh();
  }
  if (m_jointLayers.YControlledBy(layer) != layer) {
    yLow = ScaleYOf(layer).RangeLow();
    yHigh = ScaleYOf(layer).RangeHigh();
  }
  bool changed = ApplyLayerRange(layer, false, confine, xLow, yLow, xHigh, yHigh);
  for (int k = 1; k <= kLayerCount; ++k) {
    if (k == layer) continue;
    const int dx = m_jointLayers.XControlledBy(k);
    const int dy = m_jointLayers.YControlledBy(k);
    if (dx != layer && dy != layer) continue;
    changed |= ApplyLayerRange(k, false, false, ScaleXOf(dx).RangeLow(), ScaleYOf(dy).RangeLow(),
                               ScaleXOf(dx).RangeHigh(), ScaleYOf(dy).RangeHigh());
  }
  // One snapshot for the change, taken once the joined layers have followed: joins add none.
  if (recordHistory && changed) PushZoomHistory();
  hold.Release();
  return changed;
}

bool TCustomGrafon::StoreAxisRequest(TScaleProps& props, long double low, long double high) {
  const double lowD = static_cast<double>(low);
  const double highD = static_cast<double>(high);
  // NaN, infinities and values beyond the Double range would poison the mapping and the ticks.
  if (!std::isfinite(lowD) || !std::isfinite(highD) || !std::isfinite(highD - lowD)) return false;
  if (0.99L * props.m_minRange > std::fabs(low - high)) return false;
  if (props.m_logarithmic) {
    // A bound at or below zero is left as it was; should the bound that is taken then meet the one
    // kept, the axis would lose its width, so neither is taken.
    const bool takeLow = low >= kMinLogValue;
    const bool takeHigh = high >= kMinLogValue;
    const double newLow = takeLow ? lowD : props.m_rangeLow;
    const double newHigh = takeHigh ? highD : props.m_rangeHigh;
    if (0.99L * props.m_minRange > std::fabs(static_cast<long double>(newLow) - newHigh)) return false;
    props.m_rangeLow = newLow;
    props.m_rangeHigh = newHigh;
    return takeLow || takeHigh;
  }
  props.m_rangeHigh = highD;
  props.m_rangeLow = lowD;
  return true;
}

bool TCustomGrafon::ApplyLayerRange(int layer, bool recordHistory, bool confine, long double xLow,
                                    long double yLow, long double xHigh, long double yHigh) {
  if (layer < 1 || layer > kLayerCount) return false;
  if (confine && ConfinementActive()) {
    m_confinement.Confine(xLow, yLow, xHigh, yHigh, {IsPanning(true), ScaleXOf(layer).Logarithmic()},
                          {IsPanning(false), ScaleYOf(layer).Logarithmic()});
  }
  TScalePropsHoriz& px = ScaleXOf(layer);
  TScalePropsVert& py = ScaleYOf(layer);
  const bool xStored = StoreAxisRequest(px, xLow, xHigh);
  const bool yStored = StoreAxisRequest(py, yLow, yHigh);
  PushScaleProps(ScaleControlX(layer), px);
  PushScaleProps(ScaleControlY(layer), py);
  if (recordHistory && (xStored || yStored)) PushZoomHistory();
  UpdateLayerMapping();
  return xStored || yStored;
}

// --- zoom history ---

detail::TZoomSnapshot TCustomGrafon::CurrentRanges() const {
  detail::TZoomSnapshot snapshot;
  for (int l = 1; l <= kLayerCount; ++l) {
    const TScaleProps& px = ScaleXOf(l);
    const TScaleProps& py = ScaleYOf(l);
    snapshot[static_cast<std::size_t>(l - 1)] = {px.RangeLow(), px.RangeHigh(), py.RangeLow(),
                                                 py.RangeHigh()};
  }
  return snapshot;
}

void TCustomGrafon::PushZoomHistory() {
  if (IsLoading()) return;
  m_zoomHistory.Push(CurrentRanges());
}

void TCustomGrafon::ResetZoomHistory() {
  m_zoomHistory.Clear();
  PushZoomHistory();
}

void TCustomGrafon::RecallZoom(int n) {
  const detail::TZoomSnapshot* slot = m_zoomHistory.Recall(n);
  if (slot == nullptr) return;
  // Layers that follow a recalled layer record snapshots of their own, which may overwrite this slot.
  const detail::TZoomSnapshot snapshot = *slot;
  TPaintHold hold(*this);
  for (int l = 1; l <= kLayerCount; ++l) {
    const detail::TLayerRanges& r = snapshot[static_cast<std::size_t>(l - 1)];
    if (r.IsEmpty()) continue;
    SetJointRange(l, false, false, r.XLow, r.YLow, r.XHigh, r.YHigh);
  }
  hold.Release();
}

// --- isometric scaling ---

void TCustomGrafon::FitIsometric(int layer) {
  // A stored form being read holds its ranges as they were fitted.
  if (IsLoading()) return;
  const long double aw = ChartAreaWidth() + 1;
  const long double ah = ChartAreaHeight() + 1;
  // Without a chart area there is no physical scale to match.
  if (aw <= 0 || ah <= 0) return;
  const TScalePropsHoriz& px = ScaleXOf(layer);
  TScalePropsVert& py = ScaleYOf(layer);
  const long double mid = (static_cast<long double>(py.RangeHigh()) + py.RangeLow()) / 2;
  const long double h =
      (static_cast<long double>(px.RangeHigh()) - px.RangeLow()) * ah / aw * m_aspectY / m_aspectX / 2;
  py.SetRangeHigh(static_cast<double>(mid + h));
  py.SetRangeLow(static_cast<double>(mid - h));
}

void TCustomGrafon::SetIsometric(bool value) {
  m_isometric = value;
  if (!value || IsLoading()) return;
  TScaleChangeBatch batch(*this);
  for (int l = 1; l <= kLayerCount; ++l) FitIsometric(l);
  const bool repainted = batch.Finish();
  PushZoomHistory();
  if (!repainted) RepaintIfAutomatic();
}

void TCustomGrafon::SetJointLayers(const TJointLayers& value) {
  if (&value != &m_jointLayers) m_jointLayers.Assign(value);
  RepaintIfAutomatic();
}

}  // namespace nox
