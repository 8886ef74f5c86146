// The two-click rectangle pick: armed by the caller, first corner at the next press, a rubber
// rectangle that follows the mouse, second corner at the release. It runs beside whatever
// MouseAction does and shares the moving corner with the window gestures.

#include "chart/Nox_grafon.h"

namespace nox {

void TCustomGrafon::ArmRectPick() {
  ResetRectPick();
  m_mouse.State().RectPick = msFirstCorner;
}

void TCustomGrafon::ResetRectPick() {
  const bool drawing = m_mouse.State().RectPick == msRectDraw;
  m_mouse.State().RectPick = msNormal;
  if (drawing) m_mouse.EraseRubberFiguresIfIdle();
}

void detail::TGrafonMouse::RectPickPress(TMouseButton button, int x, int y) {
  if (m_mouseState.RectPick != msFirstCorner) return;
  if (button == mbRight) {
    m_mouseState.RectPick = msNormal;
    return;
  }
  m_mouseState.RectPickFirst = {x, y};
  m_mouseState.WindowEnd = {x, y};
  m_mouseState.RectPick = msRectDraw;
}

void detail::TGrafonMouse::RectPickMove(int& x, int& y) {
  if (m_mouseState.RectPick != msRectDraw) return;
  const detail::TChartFrame frame = m_chart.ChartFrame();
  x = detail::ClampXToChartArea(frame, x);
  y = detail::ClampYToChartArea(frame, y);
  XorRubberFigure({detail::xfRect, m_mouseState.RectPickFirst, m_mouseState.WindowEnd});
  XorRubberFigure({detail::xfRect, m_mouseState.RectPickFirst, {x, y}});
  m_mouseState.WindowEnd = {x, y};
}

void detail::TGrafonMouse::RectPickRelease(TMouseButton button, int x, int y) {
  if (m_mouseState.RectPick != msRectDraw) return;
  if (button == mbRight) {
    m_mouseState.RectPick = msNormal;
  } else {
    // Where the button came up, even outside the chart area.
    m_mouseState.RectPickSecond = {x, y};
    m_mouseState.RectPick = msFinished;
  }
  XorRubberFigure({detail::xfRect, m_mouseState.RectPickFirst, m_mouseState.WindowEnd});
}

}  // namespace nox
