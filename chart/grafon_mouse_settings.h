#pragma once
// The settings that say how the chart answers the mouse, the wheel and the keys. They only store;
// the control's interaction room reads them as gestures arrive.

#include <array>

#include "base/Nox_noxbase.h"
#include "base/Nox_noxcolors.h"
#include "platform/color.h"

namespace nox {

/// How the chart answers the mouse, the wheel and the keys, a part of TCustomGrafon; setting any of
/// these only stores.
class TGrafonMouseSettings {
 public:
  /// What a left-button gesture in the chart area does, and how it shows.
  ///@{
  TMouseActMode MouseAction() const { return m_mouseAction; }  ///< = maNone
  void SetMouseAction(TMouseActMode value);
  bool MouseCursorFixed() const { return m_mouseCursorFixed; }  ///< = True: always the default cursor
  void SetMouseCursorFixed(bool value) { m_mouseCursorFixed = value; }
  TColor MouseTraceColor() const { return m_mouseTraceColor; }  ///< = $FFFFFF
  void SetMouseTraceColor(TColor value) { m_mouseTraceColor = value; }
  bool MouseTraceInvert() const { return m_mouseTraceInvert; }  ///< = True: trace drawn in XOR mode
  void SetMouseTraceInvert(bool value) { m_mouseTraceInvert = value; }
  ///@}
  /// Pan grid of maPanGrid; values that are not finite are refused.
  ///@{
  double PanGridDx() const { return m_panGridDx; }  ///< = 1
  void SetPanGridDx(double value);
  double PanGridDy() const { return m_panGridDy; }  ///< = 1
  void SetPanGridDy(double value);
  double PanGridOffsX() const { return m_panGridOffsX; }  ///< = 0
  void SetPanGridOffsX(double value);
  double PanGridOffsY() const { return m_panGridOffsY; }  ///< = 0
  void SetPanGridOffsY(double value);
  ///@}
  /// Whether a layer follows the chart-area gestures, the wheel and the keys; layer 1 only after
  /// construction. Layers outside 1..16 read as False and are not stored.
  ///@{
  bool LayerMouseActive(int layer) const;
  void SetLayerMouseActive(int layer, bool value);
  ///@}
  /// The radius of OnItemHover, pixels, 0..100 (other values are limited to it).
  ///@{
  int ReadoutRadius() const { return m_readoutRadius; }  ///< = 5
  void SetReadoutRadius(int value);
  ///@}
  /// A wheel turn over the chart area zooms about the pointer: a notch (120) forward narrows the
  /// view by the factor 1.25, one backward widens it by as much; finer steps (smooth wheels,
  /// touchpads) zoom in proportion, at most ten notches' worth per event. With Shift only the x
  /// axes zoom, with Ctrl only the y axes (in isometric mode always both). OnMouseWheel and its
  /// Up/Down events come first; a turn a handler took does not zoom.
  ///@{
  bool WheelZoom() const { return m_wheelZoom; }  ///< = False: the wheel only fires the events
  void SetWheelZoom(bool value) { m_wheelZoom = value; }
  ///@}
  /// Keys, after OnKeyDown / OnKeyPress (a handler that sets the key to 0 keeps it from the chart):
  /// the arrow keys pan by a tenth of the view; '+' (or '=') zooms in and '-' out about the centre
  /// by 1.25; Home: RecallHomeView; Backspace: StepBackInHistory; Escape: CancelGesture.
  ///@{
  bool KeyNavigation() const { return m_keyNavigation; }  ///< = True
  void SetKeyNavigation(bool value) { m_keyNavigation = value; }
  ///@}

 protected:
  /// The values of the properties above.
  ///@{
  TMouseActMode m_mouseAction = maNone;
  bool m_mouseCursorFixed = true;
  TColor m_mouseTraceColor = 0xFFFFFF;
  bool m_mouseTraceInvert = true;
  double m_panGridDx = 1.0;
  double m_panGridDy = 1.0;
  double m_panGridOffsX = 0.0;
  double m_panGridOffsY = 0.0;
  std::array<bool, kLayerCount> m_layerMouseActive{true};  ///< layer 1 only
  int m_readoutRadius = 5;
  bool m_wheelZoom = false;
  bool m_keyNavigation = true;
  ///@}
};

}  // namespace nox
