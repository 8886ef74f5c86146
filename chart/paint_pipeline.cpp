// When and how the chart paints: the paint-suspension flag, the repaint rules, and the composition
// of the control image from the hosted scales and the chart-area image.

#include "chart/Nox_grafon.h"

namespace nox {

TCustomGrafon::TPaintHold::TPaintHold(TCustomGrafon& chart)
    : m_chart(chart), m_previous(chart.m_paintSuspended) {
  m_chart.SetPaintSuspended(true);
}

TCustomGrafon::TPaintHold::~TPaintHold() {
  if (!m_done) m_chart.m_paintSuspended = m_previous;
}

void TCustomGrafon::TPaintHold::Release() {
  m_done = true;
  m_chart.SetPaintSuspended(m_previous);
}

void TCustomGrafon::TPaintHold::RestoreQuietly() {
  m_done = true;
  m_chart.m_paintSuspended = m_previous;
}

void TCustomGrafon::SetPaintSuspended(bool value) {
  if (value == m_paintSuspended) return;
  m_paintSuspended = value;
  if (!value) Repaint();
}

void TCustomGrafon::CreateWnd() {
  TControl::CreateWnd();
  // Painting may start; nothing is painted until asked.
  m_paintSuspended = false;
}

bool TCustomGrafon::CanPaint() const {
  return (Visible() || IsDesigning()) && !IsLoading() && !m_paintSuspended;
}

void TCustomGrafon::Repaint() {
  if (!CanPaint()) return;
  Paint();
  ScreenChanged();
}

void TCustomGrafon::RepaintIfAutomatic() {
  if (m_autoRedraw || IsDesigning()) Repaint();
}

void TCustomGrafon::PaintScales() {
  UpdateLayerMapping();
  for (int l = 1; l <= kLayerCount; ++l) {
    PushScaleProps(ScaleControlX(l), ScaleXOf(l));
    ScaleControlX(l).PaintNow();
  }
  for (int l = 1; l <= kLayerCount; ++l) {
    PushScaleProps(ScaleControlY(l), ScaleYOf(l));
    ScaleControlY(l).PaintNow();
  }
  if (OnScalesRendered) OnScalesRendered(this, m_controlImage.Canvas(), 0, 0);
}

void TCustomGrafon::Paint() {
  if (!CanPaint()) return;
  m_controlImage.SetSize(Width(), Height());
  PaintScales();
  ResizeChartImage(true, true);
  RenderBackground(m_chartImage.Canvas(), 0, 0, m_chartImage.Width(), m_chartImage.Height());
  RenderDataToBitmap(m_chartImage, 0, 0, false, 0);
  m_controlImage.Canvas().Draw(m_marginLeft, m_marginTop, m_chartImage);
  CopyToScreen(0, 0, m_controlImage);
}

void TCustomGrafon::RefreshChartArea() {
  // Only the chart area; scales and caption stay as the last full paint left them.
  RenderBackground(m_chartImage.Canvas(), 0, 0, m_chartImage.Width(), m_chartImage.Height());
  RenderDataToBitmap(m_chartImage, 0, 0, false, 0);
  CopyToScreen(m_marginLeft, m_marginTop, m_chartImage);
  ScreenChanged(
      {m_marginLeft, m_marginTop, m_marginLeft + m_chartImage.Width(), m_marginTop + m_chartImage.Height()});
}

void TCustomGrafon::RenderDataToBitmap(TBitmap& bitmap, int offsetX, int offsetY, bool monochrome,
                                       int noGrid) {
  RenderData(bitmap.Canvas(), offsetX, offsetY, monochrome, noGrid);
}

void TCustomGrafon::RenderData(TCanvas& /*canvas*/, int /*offsetX*/, int /*offsetY*/, bool /*monochrome*/,
                               int /*noGrid*/) {}

}  // namespace nox
