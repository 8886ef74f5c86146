// The chart's wheel and key handling: a wheel turn zooms about the pointer, the arrow keys pan,
// '+' and '-' zoom about the centre, Home, Backspace and Escape go home, back and out of a gesture.

#include <algorithm>
#include <cmath>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {

constexpr int kWheelNotch = 120;               // wheel delta of one notch
constexpr long double kWheelZoomStep = 1.25L;  // view narrowed (widened) per notch
constexpr long double kMaxWheelNotches = 10;   // per event: larger deltas count as this many
constexpr long double kKeyZoomStep = 1.25L;    // view narrowed (widened) per '+' ('-')
constexpr long double kKeyPanStep = 0.1L;      // part of the view an arrow key pans by

}  // namespace

bool TCustomGrafon::MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TControl::MouseWheel(shift, wheelDelta, mousePos)) return true;
  if (!m_wheelZoom || wheelDelta == 0 || !InChartArea(mousePos.X, mousePos.Y)) return false;
  // The next move of a drag would undo the zoom; the turn is taken all the same, so that nothing
  // around the chart scrolls meanwhile.
  if (m_mouse.GestureUnderWay(shift)) return true;
  m_mouse.NoteHomeView();
  const long double notches =
      std::clamp(static_cast<long double>(wheelDelta) / kWheelNotch, -kMaxWheelNotches, kMaxWheelNotches);
  // Isometric layers keep one scale on both axes.
  const bool shiftOnly = shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !m_isometric;
  const bool ctrlOnly = shift.Contains(ssCtrl) && !shift.Contains(ssShift) && !m_isometric;
  if (m_mouse.ZoomView(std::pow(kWheelZoomStep, -notches), mousePos, !ctrlOnly, !shiftOnly)) {
    m_mouse.RecordNavigation(detail::nsWheel);
  }
  return true;
}

void TCustomGrafon::KeyDown(std::uint16_t& key, TShiftState shift) {
  TControl::KeyDown(key, shift);
  if (key != 0 && m_keyNavigation && m_mouse.NavigateByKey(key)) key = 0;
}

bool detail::TGrafonMouse::NavigateByKey(std::uint16_t key) {
  if (key == vkEscape) return m_chart.CancelGesture();
  long double stepsX = 0;
  long double stepsY = 0;
  switch (key) {
    case vkLeft:
      stepsX = -kKeyPanStep;
      break;
    case vkRight:
      stepsX = kKeyPanStep;
      break;
    case vkUp:
      stepsY = kKeyPanStep;
      break;
    case vkDown:
      stepsY = -kKeyPanStep;
      break;
    case vkHome:
    case vkBack:
      break;
    default:
      return false;
  }
  // Taken, but the drag under way keeps the view.
  if (GestureUnderWay({})) return true;
  if (key == vkHome) {
    RecallHomeView();
  } else if (key == vkBack) {
    StepBackInHistory();
  } else {
    NoteHomeView();
    if (PanView(stepsX, stepsY)) RecordNavigation(detail::nsKeys);
  }
  return true;
}

void TCustomGrafon::KeyPress(char& key) {
  TControl::KeyPress(key);
  if (!m_keyNavigation || (key != '+' && key != '=' && key != '-')) return;
  const long double factor = key == '-' ? kKeyZoomStep : 1 / kKeyZoomStep;
  key = 0;
  if (m_mouse.GestureUnderWay({})) return;
  m_mouse.NoteHomeView();
  if (m_mouse.ZoomView(factor, std::nullopt, true, true)) m_mouse.RecordNavigation(detail::nsKeys);
}

}  // namespace nox
