#pragma once
// The chart's 16 layers: the axis property objects of each layer's x and y axis, the hosted scale
// controls that draw them, the world-to-pixel mapping, the zoom history and the confinement box.
// The part owns them; the control changes ranges only through its range-update path
// (SetJointRange -> ApplyLayerRange) and keeps the scale controls and the mapping in step.
//
// On that path joined layers follow their controlling layer, confinement keeps gestures inside a
// box, requests narrower than 0.99 x MinRange are ignored axis by axis, logarithmic bounds below
// 1e-100 bound by bound; then the scale controls and the mapping are updated. An axis request with
// a bound that is NaN or infinite, lies beyond the Double range, or spans more than a Double holds,
// is ignored like a too narrow one: that axis keeps its range.

#include <array>
#include <cstddef>
#include <memory>

#include "base/Nox_noxcolors.h"
#include "chart/model/layer_mapping.h"
#include "chart/model/range_confinement.h"
#include "chart/model/scale_props.h"
#include "chart/model/zoom_history.h"
#include "scale/Nox_Scale.h"
#include "scale/axis_mapping.h"

namespace nox {

/// The layers of the chart, a part of TCustomGrafon: their axis property objects and scale controls,
/// the confinement box and the zoom history.
class TGrafonLayers {
 public:
  /// The axis property objects of layers 1..4; setting one copies the values in (Assign) and
  /// repaints in design mode only.
  ///@{
  TScalePropsHoriz& Scale1X() { return m_propsX[0]; }
  TScalePropsVert& Scale1Y() { return m_propsY[0]; }
  TScalePropsHoriz& Scale2X() { return m_propsX[1]; }
  TScalePropsVert& Scale2Y() { return m_propsY[1]; }
  TScalePropsHoriz& Scale3X() { return m_propsX[2]; }
  TScalePropsVert& Scale3Y() { return m_propsY[2]; }
  TScalePropsHoriz& Scale4X() { return m_propsX[3]; }
  TScalePropsVert& Scale4Y() { return m_propsY[3]; }
  void SetScale1X(const TScalePropsHoriz& value) { AssignScaleProps(m_propsX[0], value); }
  void SetScale1Y(const TScalePropsVert& value) { AssignScaleProps(m_propsY[0], value); }
  void SetScale2X(const TScalePropsHoriz& value) { AssignScaleProps(m_propsX[1], value); }
  void SetScale2Y(const TScalePropsVert& value) { AssignScaleProps(m_propsY[1], value); }
  void SetScale3X(const TScalePropsHoriz& value) { AssignScaleProps(m_propsX[2], value); }
  void SetScale3Y(const TScalePropsVert& value) { AssignScaleProps(m_propsY[2], value); }
  void SetScale4X(const TScalePropsHoriz& value) { AssignScaleProps(m_propsX[3], value); }
  void SetScale4Y(const TScalePropsVert& value) { AssignScaleProps(m_propsY[3], value); }
  ///@}
  /// Any layer's property objects; a layer outside 1..16 gives layer 1's.
  ///@{
  TScalePropsHoriz& ScaleXOf(int layer) { return m_propsX[LayerIndex(layer)]; }
  const TScalePropsHoriz& ScaleXOf(int layer) const { return m_propsX[LayerIndex(layer)]; }
  TScalePropsVert& ScaleYOf(int layer) { return m_propsY[LayerIndex(layer)]; }
  const TScalePropsVert& ScaleYOf(int layer) const { return m_propsY[LayerIndex(layer)]; }
  ///@}
  /// The hosted scale controls of a layer (named GF_FScale_X_<layer> and GF_FScale_Y_<layer>); a
  /// layer outside 1..16 gives layer 1's. The chart copies the property objects into them, so
  /// settings made on them directly last only until the next copy.
  ///@{
  TScale& ScaleControlX(int layer) { return *m_scaleX[LayerIndex(layer)]; }
  TScale& ScaleControlY(int layer) { return *m_scaleY[LayerIndex(layer)]; }
  ///@}

  /// The box that confined zooming and panning keep to; all four 0 switches confinement off.
  /// A call with a value that is NaN or infinite is refused (the old box stays).
  ///@{
  void SetConfinement(double xLow, double yLow, double xHigh, double yHigh);
  bool ConfinementActive() const { return m_confinement.Active(); }
  ///@}

  /// The zoom history's slots and positions, read only (RecallZoom and PushZoomHistory change it).
  const detail::TZoomHistory& ZoomHistory() const { return m_zoomHistory; }

 protected:
  ~TGrafonLayers() = default;  ///< owned as a part of the control only

  /// After a property object was set: the control repaints in design mode.
  virtual void ScalePropsAssigned() = 0;

  /// Index 0..15 of layer 1..16; any other layer gives 0 (layer 1).
  static std::size_t LayerIndex(int layer) {
    return layer >= 1 && layer <= kLayerCount ? static_cast<std::size_t>(layer - 1) : 0;
  }
  /// Copies value into target, then tells the control.
  void AssignScaleProps(TScaleProps& target, const TScaleProps& value);

  /// A layer's world-to-pixel map of each axis (a layer outside 1..16 gives layer 1's).
  ///@{
  const detail::TAxisMapping& MappingX(int layer) const { return m_mapping.X(LayerIndex(layer)); }
  const detail::TAxisMapping& MappingY(int layer) const { return m_mapping.Y(LayerIndex(layer)); }
  ///@}

  /// Each layer's axis property objects and scale controls, the mapping, the zoom history and the
  /// confinement box.
  ///@{
  std::array<TScalePropsHoriz, kLayerCount> m_propsX;
  std::array<TScalePropsVert, kLayerCount> m_propsY;
  std::array<std::unique_ptr<TScale>, kLayerCount> m_scaleX;
  std::array<std::unique_ptr<TScale>, kLayerCount> m_scaleY;
  detail::TLayerMapping m_mapping;
  detail::TZoomHistory m_zoomHistory;
  detail::TConfinementBox m_confinement;
  ///@}
};

}  // namespace nox
