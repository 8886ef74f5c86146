// The freehand mouse trace (maDrawMTrace): every move with the left button adds a point in world
// coordinates of the current layer and draws the new segment on the screen at once; a release
// ends the stroke. Repaints draw the whole trace again from the store.

#include <cstdint>

#include "chart/Nox_grafon.h"

namespace nox {

void detail::TGrafonMouse::TraceStep(bool left, int& x, int& y) {
  if (m_mouseState.WindowState != zsNormal || !left) return;
  const detail::TChartFrame frame = m_chart.ChartFrame();
  x = detail::ClampXToChartArea(frame, x);
  y = detail::ClampYToChartArea(frame, y);
  if (m_mouseTrace.size() >= static_cast<std::size_t>(kMaxTracePoints)) return;
  double wx = 0, wy = 0;
  m_chart.PixelToWorld(m_chart.m_items.Pen.Layer, x, y, wx, wy);
  m_mouseTrace.push_back(
      {wx, wy, m_chart.m_mouseTraceInvert ? kTraceDrawnXor : std::uint16_t{0}, m_chart.m_mouseTraceColor});
  if (m_mouseTrace.size() < 2) return;
  const TMouseTracePoint& previous = m_mouseTrace[m_mouseTrace.size() - 2];
  if ((previous.Flags & kTraceStrokeEnds) != 0) return;
  int px = 0, py = 0;
  m_chart.WorldToPixel(m_chart.m_items.Pen.Layer, previous.X, previous.Y, px, py);
  TCanvas& screen = m_chart.Canvas();
  TPen& pen = screen.Pen();
  // Under the rubber figures, so that erasing them later gives the segment back unchanged.
  m_rubberFigures.DrawAll(screen);
  pen.SetColor(m_chart.m_mouseTraceColor);
  pen.SetMode(m_chart.m_mouseTraceInvert ? pmXor : pmCopy);
  screen.MoveTo(px, py);
  screen.LineTo(x, y);
  pen.SetMode(pmCopy);
  m_rubberFigures.DrawAll(screen);
  m_chart.ScreenChanged(detail::FigureArea({detail::xfLine, {px, py}, {x, y}}, pen.Width()));
}

void detail::TGrafonMouse::EndTraceStroke() {
  if (!m_mouseTrace.empty()) m_mouseTrace.back().Flags |= kTraceStrokeEnds;
}

void TCustomGrafon::ClearMouseTrace() {
  m_mouse.Trace().clear();
  RepaintIfAutomatic();
}

}  // namespace nox
