#pragma once
// The chart's own events: what a handler assigned to the control hears about gestures, cross hairs,
// text labels and rendering. The control fires them; they are plain values, copied by Assign.

#include "chart/grafon_types.h"
#include "scale/Nox_Scale.h"

namespace nox {

/// The events of the chart, a part of TCustomGrafon (called only when assigned; Sender is the chart).
class TGrafonEvents {
 public:
  /// After every mouse move over the control, inside the chart area or not.
  TMouseMoveInChartEvent OnMouseMoveInChart;
  /// After a mouse move, when the point nearest the pointer within ReadoutRadius changes (to none
  /// as well, also when the pointer leaves the chart area); searched only while assigned.
  TItemHoverEvent OnItemHover;
  /// The gestures and the scale controls' relays.
  ///@{
  TSelectRectEvent OnRubberBand;
  TSelectRectEvent OnSelectRect;
  TZoomPanEvent OnZoomPan;
  TScaleTickDrawnEvent OnScaleTickDrawn;    ///< relayed from the scale controls
  TBeforeTickLabelEvent OnBeforeTickLabel;  ///< relayed from the scale controls
  ///@}
  /// Cross hairs and text labels dragged with the mouse.
  ///@{
  TBeforeCrossHMoveEvent OnBeforeCrossHairMove;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;
  ///@}
  /// Rendering: around the chart area's contents and the scales, and before each item or text.
  ///@{
  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TRenderEvent OnScalesRendered;
  TBeforeRenderCItemEvent OnBeforeRenderChartItem;
  TBeforeRenderTextEvent OnBeforeRenderText;
  ///@}

 protected:
  /// Every event unassigned.
  void ClearEvents() { *this = TGrafonEvents(); }
};

}  // namespace nox
