// The chart area's geometry: what follows a change of a margin or the shadow width (the setters are
// in grafon_appearance.cpp), the control's size with its minimum, and the size of the chart-area
// image that follows them.

#include <algorithm>

#include "chart/Nox_grafon.h"
#include "chart/paint_hold.h"

namespace nox {

namespace {

// Chart area plus its last column (row), which carries the right (bottom) frame line.
int ChartImageExtent(long long control, long long marginA, long long marginB, long long shadow) {
  return static_cast<int>(std::clamp<long long>(control - marginA - marginB - shadow + 1, 0, kMaxBitmapSide));
}

}  // namespace

detail::TChartFrame TCustomGrafon::ChartFrame() const {
  return {Width(), Height(), m_marginLeft, m_marginRight, m_marginTop, m_marginBottom, m_shadowWidth};
}

void TCustomGrafon::ResizeChartImage(bool width, bool height) {
  // A stored form gives the size and the margins one by one: Loaded sizes the image once.
  if (IsLoading()) return;
  TCanvas& canvas = m_renderer.ChartImage().Canvas();
  const int w =
      width ? ChartImageExtent(Width(), m_marginLeft, m_marginRight, m_shadowWidth) : canvas.Width();
  int h = height ? ChartImageExtent(Height(), m_marginTop, m_marginBottom, m_shadowWidth) : canvas.Height();
  // Never larger than the image limit, whatever the control's size.
  if (w > 0) h = static_cast<int>(std::min<long long>(h, static_cast<long long>(kMaxBitmapBytes / 4) / w));
  // The chart area lies at the margins on the control image: the same device grid for both.
  canvas.SetDeviceScale(m_renderer.ImageScale(), {m_marginLeft, m_marginTop});
  canvas.SetLogicalSize(w, h);
}

void TCustomGrafon::MarginChanged(TMarginSide side) {
  const bool horizontal = side == mgLeft || side == mgRight;
  if (!m_settingLayout) ResizeChartImage(horizontal, !horizontal);
  // Re-fitting isometric layers goes through the property setters; their notifications are
  // collected into one.
  TScaleChangeBatch batch(*this);
  for (int l = 1; l <= kLayerCount; ++l) {
    if (m_isometric) FitIsometric(l);
    // A layout pushes every property object once its four margins are set.
    if (!m_settingLayout) {
      PushScaleProps(ScaleControlX(l), ScaleXOf(l));
      PushScaleProps(ScaleControlY(l), ScaleYOf(l));
    }
    switch (side) {
      case mgLeft:
        ScaleControlX(l).SetMarginLeft(m_marginLeft);
        break;
      case mgRight:
        ScaleControlX(l).SetMarginRight(ScaleMarginRight());
        break;
      case mgTop:
        ScaleControlY(l).SetMarginTop(m_marginTop);
        break;
      case mgBottom:
        ScaleControlY(l).SetMarginBottom(ScaleMarginBottom());
        break;
    }
  }
  UpdateLayerMapping();
  if (!batch.Finish()) RepaintIfAutomatic();
}

void TCustomGrafon::ShadowWidthChanged() {
  ResizeChartImage(true, true);
  for (int l = 1; l <= kLayerCount; ++l) {
    PushScaleProps(ScaleControlX(l), ScaleXOf(l));
    PushScaleProps(ScaleControlY(l), ScaleYOf(l));
    ScaleControlX(l).SetMarginRight(ScaleMarginRight());
    ScaleControlY(l).SetMarginBottom(ScaleMarginBottom());
  }
  UpdateLayerMapping();
  RepaintIfAutomatic();
}

void TCustomGrafon::SetBounds(int left, int top, int width, int height) {
  TPaintHold hold(*this);
  TScaleChangeBatch batch(*this);
  // A stored form gives the size as it was, below the margins' minimum too when they grew after it
  // was set; no chart is ever below the minimum of margins 0.
  height = std::max(height, IsLoading() ? kLeastChartHeight : MinimumHeight());
  width = std::max(width, IsLoading() ? kLeastChartWidth : MinimumWidth());
  TControl::SetBounds(left, top, width, height);
  for (std::size_t i = 0; i < static_cast<std::size_t>(kLayerCount); ++i) {
    const int layer = static_cast<int>(i) + 1;
    if (m_isometric) FitIsometric(layer);
    // During construction the scale controls do not exist yet.
    if (m_scaleX[i]) {
      PushScaleProps(*m_scaleX[i], m_propsX[i]);
      m_scaleX[i]->SetBounds(0, 0, Width(), Height());
      m_scaleX[i]->SetMarginLeft(m_marginLeft);
      m_scaleX[i]->SetMarginRight(ScaleMarginRight());
    }
    if (m_scaleY[i]) {
      PushScaleProps(*m_scaleY[i], m_propsY[i]);
      m_scaleY[i]->SetBounds(0, 0, Width(), Height());
      m_scaleY[i]->SetMarginTop(m_marginTop);
      m_scaleY[i]->SetMarginBottom(ScaleMarginBottom());
    }
  }
  UpdateLayerMapping();
  batch.Finish();
  hold.RestoreQuietly();
}

}  // namespace nox
