// The rubber figures of the chart's gestures on its screen image. Every XOR figure goes through
// the overlay's account, so that whatever the gestures do (two of them sharing the moving corner,
// a repaint in the middle of a drag, a release that ends a figure without erasing it) the screen
// shows the picture and the figures of the gestures in progress, and nothing else.

#include "chart/Nox_grafon.h"

namespace nox {

void detail::TGrafonMouse::XorRubberFigure(const detail::TXorFigure& figure) {
  m_chart.ScreenChanged(m_rubberFigures.Toggle(m_chart.Canvas(), figure));
}

void detail::TGrafonMouse::EraseRubberFigures() {
  if (m_rubberFigures.Empty()) return;
  m_chart.ScreenChanged(m_rubberFigures.EraseAll(m_chart.Canvas()));
}

void detail::TGrafonMouse::EraseRubberFiguresIfIdle() {
  if (m_mouseState.WindowState == zsNormal && m_mouseState.RectPick != msRectDraw) EraseRubberFigures();
}

void detail::TGrafonMouse::CopyToScreen(int x, int y, const TBitmap& image) {
  if (m_rubberFigures.Empty()) {
    m_chart.Canvas().Draw(x, y, image);
    return;
  }
  // Lifted off first, so that where the image does not reach they are not drawn twice.
  TCanvas& screen = m_chart.Canvas();
  m_rubberFigures.DrawAll(screen);
  screen.Draw(x, y, image);
  m_chart.ScreenChanged(m_rubberFigures.DrawAll(screen));
}

}  // namespace nox
