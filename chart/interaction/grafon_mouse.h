#pragma once
// The chart's mouse controller: the state of the gesture under way and the steps that turn presses,
// moves, releases, wheel turns and keys into range changes, object drags, trace points and rubber
// figures. The control keeps the entry points (its mouse and key handlers) and calls in here; the
// steps read the control's settings and change its ranges through its range-update path.
//
// The mouse: MouseAction says what a left-button gesture in the chart area does; only the layers
// with LayerMouseActive follow it. The scales of every layer can be dragged as their own
// MouseAction says, and a double click on a scale switches it between maPan and maZoom. Rubber
// figures (zoom window, rubber band, select rectangle, rectangle pick) are XOR-drawn on the screen
// image and taken away again when their gesture ends. The pans leave an axis alone whose
// chart-area extent (AW or AH) is 0; a chart area of negative extent holds no point, so no
// chart-area gesture acts. Mouse coordinates may lie anywhere in the int range.
//
// The wheel and the keys move the layers that follow the mouse through the range-update path, so
// joins, confinement (a pan is shifted back inside the box, a zoom cut to it), MinRange and the
// logarithmic rules hold as for the mouse gestures; OnZoomPan fires after each change. A run of
// wheel turns, or of navigation keys, with no pause over 500 ms between them (by the host's
// timestamps) is one gesture and leaves one zoom-history snapshot, of its latest view. Neither
// acts while a mouse gesture is under way (Escape aside).

#include <cstdint>
#include <optional>
#include <vector>

#include "chart/grafon_types.h"
#include "chart/interaction/mouse_state.h"
#include "chart/interaction/navigation_gesture.h"
#include "chart/interaction/xor_figures.h"
#include "chart/model/zoom_history.h"
#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/ui_types.h"

namespace nox {

class TCustomGrafon;

namespace detail {

/// How confinement treats the range requests being made: as MouseAction says (the mouse
/// gestures), or as a pan or a zoom whatever it says (the wheel and the keys).
enum class TConfineAs : std::uint8_t { MouseAction, Pan, Zoom };

/// The mouse, wheel and key handling of one chart; a part of TCustomGrafon that owns the gesture
/// state (the rubber figures on screen, the freehand trace, the hovered point, the navigation
/// gesture and the way back through the history).
class TGrafonMouse {
 public:
  explicit TGrafonMouse(TCustomGrafon& chart);

  /// The state of the gesture under way, and the freehand trace drawn so far.
  ///@{
  TMouseState& State() { return m_mouseState; }
  const TMouseState& State() const { return m_mouseState; }
  std::vector<TMouseTracePoint>& Trace() { return m_mouseTrace; }
  const std::vector<TMouseTracePoint>& Trace() const { return m_mouseTrace; }
  ///@}
  /// How the range requests being made are confined (the range-update path asks).
  TConfineAs ConfineAs() const { return m_confineAs; }

  /// Fire OnItemHover if the point under the pointer at (x, y), or the given one, is not the one
  /// reported last.
  void ReportItemHover(int x, int y);
  void ReportItemHover(const std::optional<TgfItemHit>& hit);
  void HandleMouseMove(TShiftState shift, int x, int y);
  void RecordDragStart(int x, int y);
  /// Whether a drag under way has moved any layer's ranges from where it started.
  bool DragMovedRanges() const;
  void EndDrag();
  void ShowMousePosition(int x, int y);
  /// scales: the layer of the vertical scale hit, minus the layer of the horizontal one, or 0
  int ScaleHitTest(int x, int y) const;
  void DragScales(bool left, int x, int y);
  void ToggleScaleAction(int x, int y);

  /// chart-area gestures; a step may clamp (x, y) for the later steps of the same move
  /// The common start of the pan and zoom-drag steps: a release ends the drag, the first move records
  /// where it starts; true when the ranges are to follow the pointer at (x, y).
  bool RangeDragMoves(bool left, int x, int y);
  void PanStep(bool left, int x, int y);
  void ZoomDragStep(bool left, int x, int y);
  void StartWindow(TMouseButton button, int x, int y);
  void WindowMoveStep(int& x, int& y);
  void WindowRelease(TMouseButton button);
  void DragCrossHairStep(bool left, int x, int y);
  void DragTextLabelStep(bool left, int x, int y);
  void TraceStep(bool left, int& x, int& y);
  void EndTraceStroke();
  void RectPickPress(TMouseButton button, int x, int y);
  void RectPickMove(int& x, int& y);
  void RectPickRelease(TMouseButton button, int x, int y);
  /// A press, a move with a button held, a zoom window or rectangle pick: a gesture is under way.
  bool GestureUnderWay(TShiftState shift) const;
  void TakeRightClickOfGesture(TMouseButton button, TShiftState shift);

  /// wheel and keys (view_navigation.cpp, wheel_and_keys.cpp)
  void NoteHomeView();
  /// Each layer that follows the mouse moved by steps x its view (PanAxis), or scaled by factor
  /// about the world point under the pixel `at` (none: each axis' centre); true when a range changed.
  bool PanView(long double stepsX, long double stepsY);
  bool ZoomView(long double factor, std::optional<TPoint> at, bool zoomX, bool zoomY);
  /// The snapshot of a wheel or key step: a new one, or the gesture's own one brought up to date.
  void RecordNavigation(TNavigationSource source);
  bool NavigateByKey(std::uint16_t key);
  /// TCustomGrafon::RecallHomeView and StepBackInHistory.
  void RecallHomeView();
  bool StepBackInHistory();

  /// rubber figures on the screen image (mouse_rubber_figures.cpp)
  /// TCustomGrafon::CopyToScreen: the image copied, the rubber figures drawn over it again.
  void CopyToScreen(int x, int y, const TBitmap& image);
  void XorRubberFigure(const TXorFigure& figure);
  void EraseRubberFiguresIfIdle();
  void EraseRubberFigures();

 private:
  TCustomGrafon& m_chart;
  TMouseState m_mouseState;
  std::vector<TMouseTracePoint> m_mouseTrace;  ///< at most kMaxTracePoints
  TXorOverlay m_rubberFigures;                 ///< rubber figures on the screen image now
  std::optional<TgfItemHit> m_hover;           ///< the point OnItemHover last reported
  TConfineAs m_confineAs = TConfineAs::MouseAction;
  TNavigationGesture m_navigation;          ///< the wheel or key gesture under way
  THistoryMark m_backMark;                  ///< the history as the last step back left it
  int m_backStep = 0;                       ///< ... and how far back that step went
  std::optional<TZoomSnapshot> m_homeView;  ///< the view before the user first moved it
};

}  // namespace detail

}  // namespace nox
