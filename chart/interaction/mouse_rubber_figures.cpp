// The rubber figures of the chart's gestures on its screen image. Every XOR figure goes through
// the overlay's account, so that whatever the gestures do (two of them sharing the moving corner,
// a repaint in the middle of a drag, a release that ends a figure without erasing it) the screen
// shows the picture and the figures of the gestures in progress, and nothing else.

#include "chart/Nox_grafon.h"

namespace nox {

void TCustomGrafon::XorRubberFigure(const detail::TXorFigure& figure) {
  ScreenChanged(m_rubberFigures.Toggle(Canvas(), figure));
}

void TCustomGrafon::EraseRubberFigures() {
  if (m_rubberFigures.Empty()) return;
  ScreenChanged(m_rubberFigures.EraseAll(Canvas()));
}

void TCustomGrafon::EraseRubberFiguresIfIdle() {
  if (m_mouseState.WindowState == zsNormal && m_mouseState.RectPick != msRectDraw) EraseRubberFigures();
}

void TCustomGrafon::CopyToScreen(int x, int y, const TBitmap& image) {
  if (m_rubberFigures.Empty()) {
    Canvas().Draw(x, y, image);
    return;
  }
  // Lifted off first, so that where the image does not reach they are not drawn twice.
  TCanvas& screen = Canvas();
  m_rubberFigures.DrawAll(screen);
  screen.Draw(x, y, image);
  ScreenChanged(m_rubberFigures.DrawAll(screen));
}

}  // namespace nox
