// When and how the chart paints: the paint-suspension flag, the repaint rules, and the composition
// of the control image from the control frame (control_frame.cpp), the chart-area image and the
// cross hairs, which reaches the screen in one copy.

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

void TCustomGrafon::ComposeControlImage() {
  RenderControlFrame(m_controlImage.Canvas());
  ResizeChartImage(true, true);
  TCanvas& chartCanvas = m_chartImage.Canvas();
  RenderBackground(chartCanvas, 0, 0, m_chartImage.Width(), m_chartImage.Height());
  RenderDataToBitmap(m_chartImage, 0, 0, false, 0);
  DrawMouseTrace(0, 0, m_chartImage);
  m_controlImage.Canvas().Draw(m_marginLeft, m_marginTop, m_chartImage);
}

void TCustomGrafon::Paint() {
  if (!CanPaint()) return;
  ComposeControlImage();
  ComposeOverlays(0, 0, Canvas(), m_controlImage);
}

void TCustomGrafon::ComposeOverlays(int x, int y, TCanvas& canvas, TBitmap& image) {
  DrawCrossHairs(x, y, image);
  // The control's own canvas goes through CopyToScreen, which keeps rubber figures on screen.
  if (&canvas == &Canvas()) {
    CopyToScreen(x, y, image);
  } else {
    canvas.Draw(x, y, image);
  }
}

void TCustomGrafon::RefreshChartArea() {
  // Only the chart area; scales, caption and mouse trace stay as the last full paint left them.
  RenderBackground(m_chartImage.Canvas(), 0, 0, m_chartImage.Width(), m_chartImage.Height());
  RenderDataToBitmap(m_chartImage, 0, 0, false, 0);
  ComposeOverlays(m_marginLeft, m_marginTop, Canvas(), m_chartImage);
  ScreenChanged(
      {m_marginLeft, m_marginTop, m_marginLeft + m_chartImage.Width(), m_marginTop + m_chartImage.Height()});
}

}  // namespace nox
