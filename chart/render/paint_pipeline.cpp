// When and how the chart paints: the paint-suspension flag, the repaint rules, and the composition
// of the control image from the control frame (control_frame.cpp), the chart-area image and the
// cross hairs, which reaches the screen in one copy. Event handlers run while a picture is
// composed; a repaint they ask for is remembered and done after the picture, never inside it.

#include <utility>
#include <vector>

#include "chart/Nox_grafon.h"
#include "chart/flag_scope.h"
#include "chart/paint_hold.h"

namespace nox {

namespace {

// How often one picture is composed at most. An event handler that changes the chart while its
// picture is composed has its change drawn by the next pass; one that changes it at every pass is
// stopped here, its last change drawn by the next paint.
constexpr int kMaxComposePasses = 3;

}  // namespace

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
  // A chart made in code is never Loaded: from now on its axes check a logarithmic switch.
  if (!IsLoading()) EndLoadingGuards();
}

bool TCustomGrafon::CanPaint() const {
  return (Visible() || IsDesigning()) && !IsLoading() && !m_paintSuspended;
}

void TCustomGrafon::Repaint() {
  if (m_renderer.RepaintLater()) return;
  if (!CanPaint()) return;
  Paint();
  ScreenChanged();
}

void TCustomGrafon::RepaintIfAutomatic() {
  if (m_autoRedraw || IsDesigning()) Repaint();
}

void TCustomGrafon::PictureChanged() { RepaintIfAutomatic(); }

void TCustomGrafon::MarkRuleChanged() { Repaint(); }

void detail::TGrafonRenderer::ComposeControlImage() {
  // A chart made in code and painted (or saved) before it was shown: as CreateWnd says.
  m_chart.EndLoadingGuards();
  RenderControlFrame(m_controlImage.Canvas());
  m_chart.ResizeChartImage(true, true);
  TCanvas& chartCanvas = m_chartImage.Canvas();
  m_chart.RenderBackground(chartCanvas, 0, 0, chartCanvas.Width(), chartCanvas.Height());
  m_chart.RenderDataToBitmap(m_chartImage, 0, 0, false, 0);
  DrawMouseTrace(0, 0, m_chartImage);
  m_controlImage.Canvas().Draw(m_chart.m_marginLeft, m_chart.m_marginTop, m_chartImage);
}

bool detail::TGrafonRenderer::ComposeSettled() {
  bool asked = false;
  for (int pass = 1; pass <= kMaxComposePasses; ++pass) {
    m_repaintAsked = false;
    const bool invalidated = m_chart.PaintPending();
    {
      const detail::TFlagScope composing(m_composing);
      ComposeControlImage();
      // A handler that resized the control invalidated it: that is a repaint asked for like any
      // other (while composing, PaintIfPending takes the mark and only records the request).
      if (!invalidated) m_chart.PaintIfPending();
    }
    if (!m_repaintAsked) break;
    asked = true;
  }
  m_repaintAsked = false;
  return asked;
}

void TCustomGrafon::Paint() {
  // An event handler changed the chart while its picture is composed: the picture is composed
  // again when this pass ends, not inside it.
  if (m_renderer.RepaintLater()) return;
  if (!CanPaint()) return;
  m_renderer.ComposeSettled();
  m_renderer.ComposeOverlays(0, 0, Canvas(), m_renderer.ControlImage());
}

void detail::TGrafonRenderer::ComposeOverlays(int x, int y, TCanvas& canvas, TBitmap& image) {
  DrawCrossHairs(x, y, image);
  // The control's own canvas goes through CopyToScreen, which keeps rubber figures on screen.
  if (&canvas == &m_chart.Canvas()) {
    m_chart.CopyToScreen(x, y, image);
  } else {
    canvas.Draw(x, y, image);
  }
}

bool detail::TGrafonRenderer::RepaintLater() {
  if (m_composing) m_repaintAsked = true;
  return m_composing;
}

void detail::TGrafonRenderer::RefreshChartArea() {
  if (RepaintLater()) return;
  // Only the chart area; scales and caption stay as the last full paint left them. The mouse trace
  // lies in the chart area, which is copied whole: it is drawn again, or the copy would wipe it.
  m_repaintAsked = false;
  {
    const detail::TFlagScope composing(m_composing);
    TCanvas& chartCanvas = m_chartImage.Canvas();
    m_chart.RenderBackground(chartCanvas, 0, 0, chartCanvas.Width(), chartCanvas.Height());
    m_chart.RenderDataToBitmap(m_chartImage, 0, 0, false, 0);
    DrawMouseTrace(0, 0, m_chartImage);
  }
  const bool asked = std::exchange(m_repaintAsked, false);
  ComposeOverlays(m_chart.m_marginLeft, m_chart.m_marginTop, m_chart.Canvas(), m_chartImage);
  const TCanvas& chartCanvas = m_chartImage.Canvas();
  m_chart.ScreenChanged({m_chart.m_marginLeft, m_chart.m_marginTop,
                         m_chart.m_marginLeft + chartCanvas.Width(),
                         m_chart.m_marginTop + chartCanvas.Height()});
  // An event handler changed more than the items meanwhile: the whole control is painted anew.
  if (asked) m_chart.Repaint();
}

// The control's rendering hooks and painting steps: the renderer draws them.

void TCustomGrafon::RenderBackground(TCanvas& canvas, int left, int top, int width, int height) {
  m_renderer.DrawBackground(canvas, left, top, width, height);
}

void TCustomGrafon::RenderData(TCanvas& canvas, int offsetX, int offsetY, bool monochrome, int noGrid) {
  m_renderer.DrawChartArea(canvas, offsetX, offsetY, monochrome, noGrid);
}

void TCustomGrafon::DrawGrid(TCanvas& canvas, int offsetX, int offsetY) {
  m_renderer.DrawGrid(canvas, offsetX, offsetY);
}

void TCustomGrafon::DrawTextLabels(TCanvas& canvas, int offsetX, int offsetY) {
  m_renderer.DrawTextLabels(canvas, offsetX, offsetY);
}

void TCustomGrafon::DrawCrossHairs(int x, int y, TBitmap& image) { m_renderer.DrawCrossHairs(x, y, image); }

void TCustomGrafon::DrawMouseTrace(int x, int y, TBitmap& image) { m_renderer.DrawMouseTrace(x, y, image); }

void TCustomGrafon::RenderControlFrame(TCanvas& canvas) { m_renderer.RenderControlFrame(canvas); }

void TCustomGrafon::ComposeOverlays(int x, int y, TCanvas& canvas, TBitmap& image) {
  m_renderer.ComposeOverlays(x, y, canvas, image);
}

void TCustomGrafon::SetImageDevice(double scale, int printerPixelsPerInchY) {
  m_renderer.SetImageDevice(scale, printerPixelsPerInchY);
}

double TCustomGrafon::NextGridPosition(bool IsLog, int N, bool IsY, double Step, double Current) const {
  return m_renderer.NextGridPosition(IsLog, N, IsY, Step, Current);
}

std::vector<double> TCustomGrafon::GridPositions(bool IsY) const { return m_renderer.GridPositions(IsY); }

}  // namespace nox
