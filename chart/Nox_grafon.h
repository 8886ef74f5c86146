#pragma once
// TCustomGrafon / TGrafon: the chart control.
//
// The chart keeps a display list of drawing items in world coordinates on 16 layers (each layer an
// X and a Y axis with its own range, linear or logarithmic), maps them to pixels per layer and
// turns gestures into range changes. TCustomGrafon is composed of parts that each own their state;
// the control keeps the published properties, the events, the orchestration (repainting, the
// range-update path, data sharing, geometry) and the entry points of painting and the mouse:
//
//   grafon_drawing.h             drawing operations, pen, lists, visibility (owns the item store)
//   grafon_appearance.h          margins, shadow, colours, grid, background, caption, cross hairs
//   grafon_layers.h              axis property objects, scale controls, mapping, history, confinement
//   grafon_mouse_settings.h      mouse action, trace, pan grid, wheel, keys
//   grafon_events.h              the chart's events
//   grafon_data_sharing.h        which charts show one data list
//   render/grafon_renderer.h     the renderer: off-screen images, background picture, painting steps
//   interaction/grafon_mouse.h   the mouse controller: the gesture state and the gesture steps
//
// The rooms (README's Layout table lists their files; scripts/check_chart_rooms.sh keeps the
// include direction): model/ (items, lists, series store, mapping, history, confinement, axis
// property objects) includes no other room; render/ (the renderer, item rendering, grid, labels,
// export) and interaction/ (the mouse controller, gestures, wheel and keys, rubber figures) include
// model/ but not each other; form/ (the stored form) reads and writes the control. The control's own
// files sit in chart/ beside this header (construction, geometry, layouts, scale controls, data
// sharing, ranges, mapping, bulk-change scopes paint_hold.h, joint_layers.h, grafon_types.h).
//
// Two pixel spaces: control pixels (origin at the control's top left; WorldToPixel gives these)
// and chart-area pixels (origin at (MarginLeft, MarginTop)). With W, H the control's size, the
// chart area runs from x = MarginLeft to W - MarginRight - ShadowWidth and from y = MarginTop to
// H - MarginBottom - ShadowWidth.
//
// Repainting: setters that change the picture repaint if AutoRedraw is True or the control is
// being designed (RepaintIfAutomatic). Operations that change many things suspend painting and
// paint once at the end. Nothing paints before the control's window exists.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Nox_noxbase.h"
#include "base/Nox_noxcolors.h"
#include "chart/grafon_appearance.h"
#include "chart/grafon_data_sharing.h"
#include "chart/grafon_drawing.h"
#include "chart/grafon_events.h"
#include "chart/grafon_layers.h"
#include "chart/grafon_mouse_settings.h"
#include "chart/grafon_types.h"
#include "chart/interaction/grafon_mouse.h"
#include "chart/interaction/mouse_geometry.h"
#include "chart/joint_layers.h"
#include "chart/model/grafon_error.h"
#include "chart/model/scale_props.h"
#include "chart/model/zoom_history.h"
#include "chart/render/grafon_renderer.h"
#include "platform/bitmap.h"
#include "platform/control.h"
#include "scale/Nox_Scale.h"

namespace nox {

constexpr int kLeastChartWidth = 80;  ///< the chart area a control's minimum size leaves room for, pixels
constexpr int kLeastChartHeight = 20;
/// The minimum size with every margin and the shadow (at most 32) at their largest.
static_assert((2LL * kMaxMargin + 32 + 80) * (2LL * kMaxMargin + 32 + 20) * 4 <=
                  static_cast<long long>(kMaxBitmapBytes),
              "the largest minimum control size must be a valid image");

/// The chart: a display list of items in world units on 16 layers, each with its own x and y axis
/// drawn by a hosted TScale, explored with the mouse, the wheel and the keys. TGrafon is the
/// control as placed on a form; derive from TCustomGrafon to reach the protected rendering hooks.
class TCustomGrafon : public TControl,
                      public TGrafonDrawing,
                      public TGrafonAppearance,
                      public TGrafonLayers,
                      public TGrafonMouseSettings,
                      public TGrafonEvents,
                      public TGrafonDataSharing {
 public:
  /// A chart with every setting at its default (the values given beside the properties below),
  /// owned by owner (or by nobody); painting waits until the control's window exists.
  explicit TCustomGrafon(TComponent* owner);
  ~TCustomGrafon() override;
  std::string_view ClassName() const override { return "TCustomGrafon"; }  ///< the class's name

  /// Shows the lists: redraws the chart area (AutoRedraw True) or the whole control (False) if the
  /// control is visible, then asks every chart tied to this one by data sharing to repaint itself.
  void ShowItems();
  /// Makes this chart show T's data list, or (nullptr) a copy of its own, by the data-sharing rules
  /// (grafon_data_sharing.h); a refusal shows a message and changes nothing.
  void SetUseDataOf(TCustomGrafon* value);

  // --- layers, ranges and mapping: the rules of the range-update path in grafon_layers.h -------

  /// Sets the ranges of one layer (1..16), or of all when layer is 0; other layers do nothing. Equal
  /// bounds are pulled apart (by MinRange on a linear axis, by the factor 1.1 on a logarithmic one);
  /// in isometric mode the Y range is replaced by one of the X range's physical scale, centred where
  /// the requested one was. Records one zoom snapshot per layer set, then repaints.
  void SetLayerRange(int layer, long double xLow, long double yLow, long double xHigh, long double yHigh);
  /// Restores the zoom snapshot n steps back (0 the newest, -15 the oldest); layers not recorded in
  /// that snapshot keep their ranges. n outside -15..0 does nothing.
  void RecallZoom(int n);
  /// True makes every layer's Y range match its X range's physical scale (using the screen's pixel
  /// aspect), records a zoom snapshot and repaints; False only stores. While a stored form is read,
  /// True only stores too and size or margin changes do not re-fit: the form holds fitted ranges.
  ///@{
  bool Isometric() const { return m_isometric; }  ///< = False
  void SetIsometric(bool value);
  ///@}
  /// The joined-layer tables; setting copies the tables in, then repaints if automatic.
  ///@{
  TJointLayers& JointLayers() { return m_jointLayers; }
  const TJointLayers& JointLayers() const { return m_jointLayers; }
  void SetJointLayers(const TJointLayers& value);
  ///@}
  /// Control pixels of a world point of a layer (clamped into 1..16). Values beyond the int range are
  /// clamped, then rounded (ties to even); NaN gives 0. On a logarithmic axis x <= 1e-100 gives the
  /// left edge 0 (W for a reversed axis) and y <= 1e-100 the bottom edge H (0 for a reversed axis).
  void WorldToPixel(int layer, double x, double y, int& px, int& py) const;
  /// The world point at control pixels of a layer (clamped into 1..16), limited to the finite Double
  /// range. An axis without extent (chart area 0 or less wide or high) gives that axis' RangeLow.
  void PixelToWorld(int layer, int px, int py, double& x, double& y) const;
  /// Recomputes the mapping of all 16 layers from their ranges, the control's size, the margins and
  /// the shadow. Skipped while loading. A logarithmic axis with a bound <= 0 raises ENoxGrafonError
  /// "Logarithmic axis must not be negative." (layers before it keep their new mapping).
  virtual void UpdateLayerMapping();
  /// The extent of the chart area used by the mapping (AW, AH); isometric scaling and the chart
  /// image use one pixel more.
  ///@{
  int ChartAreaWidth() const;
  int ChartAreaHeight() const;
  ///@}

  /// published properties (after construction; "repaints" means repaint-if-automatic)
  ///@{
  bool AutoRedraw() const { return m_autoRedraw; }  ///< = True
  void SetAutoRedraw(bool value) { m_autoRedraw = value; }
  ///@}
  /// Applies one of the standard layouts (margins, chart caption, scales of layers 1..4; layers
  /// 5..16 hidden); a value outside TgfLayout is ignored.
  ///@{
  TgfLayout StandardLayout() const { return m_standardLayout; }  ///< = gfl_X1Bottom_Y1Left
  void SetStandardLayout(TgfLayout value);
  ///@}

  // --- mouse, wheel and keys: the rules of the gestures in interaction/grafon_mouse.h -----------

  /// The world position, in the current layer, of the last mouse move inside the chart area
  /// (0, 0 before the first one).
  void LastMouseWorldPos(double& x, double& y) const;
  /// The two-click rectangle pick, apart from MouseAction: after ArmRectPick the next press (the
  /// right button disarms) sets the first corner, the rectangle follows the mouse (clamped to the
  /// chart area), the release sets the second one (not clamped) and the state is msFinished until
  /// ResetRectPick or ArmRectPick, which first take a rectangle being drawn off the screen; a
  /// right-button release cancels (msNormal).
  ///@{
  void ArmRectPick();
  void ResetRectPick();
  TRectPickState RectPickState() const { return m_mouse.State().RectPick; }
  TPoint RectPickFirstCorner() const { return m_mouse.State().RectPickFirst; }
  TPoint RectPickSecondCorner() const { return m_mouse.State().RectPickSecond; }
  ///@}
  /// Empties the freehand mouse trace (maDrawMTrace), then repaints if automatic.
  void ClearMouseTrace();
  /// Escape's work: cancels the mouse gesture under way. A zoom window, rubber band, select rectangle
  /// or rectangle pick ends without event, its figure erased; a pan, zoom or scale drag puts the
  /// ranges back to where it started; an object drag or trace stroke ends where it is. The rest of
  /// the gesture, until the buttons are released, does nothing. False when none was under way.
  bool CancelGesture();
  /// The data point nearest to control pixel (x, y) within radius pixels (Euclidean): a line-to,
  /// move-to or mark of the data list in world units, on a visible layer and class, in the chart
  /// area; of points equally near, the last in the list (drawn on top). None when no point is that
  /// near or radius < 0. Blocks of the list lying farther away are passed over: it stays cheap.
  std::optional<TgfItemHit> NearestDataItem(int x, int y, int radius) const;
  /// Back to the view as it was before the user's first press, wheel turn or navigation key, with
  /// one zoom-history snapshot; nothing before that.
  void RecallHomeView() { m_mouse.RecallHomeView(); }
  /// Recalls the snapshot one step further back than the last call did while nothing was recorded
  /// since (else the one before the newest); false, changing nothing, when there is none further
  /// back (fifteen steps, or a slot never recorded).
  bool StepBackInHistory() { return m_mouse.StepBackInHistory(); }

  /// For assistive technology: the caption (or "Chart"), and the ranges of the layers whose axes
  /// are shown, e.g. "x from 0 to 300, y from -60 to 110".
  ///@{
  std::string AccessibleName() const override;
  std::string AccessibleDescription() const override;
  ///@}

  // --- control behaviour ------------------------------------------------------------------------
  /// The control's size never falls below MinimumWidth x MinimumHeight (room for the margins, the
  /// shadow and an 80 x 20 chart area). While a stored form is read the size is taken as stored
  /// down to 80 x 20: margins changed after a resize leave a chart below its minimum.
  ///@{
  void SetBounds(int left, int top, int width, int height) override;
  int MinimumWidth() const { return m_marginLeft + m_marginRight + m_shadowWidth + kLeastChartWidth; }
  int MinimumHeight() const { return m_marginTop + m_marginBottom + m_shadowWidth + kLeastChartHeight; }
  ///@}
  /// After reading a stored form: ends the property objects' loading guard (meanwhile ScaleChanged
  /// did not re-apply joins), lets joined axes the form gave no range for follow their controllers,
  /// maps, repaints. A chart made in code ends the guard when it is first shown or painted.
  void Loaded() override;
  /// Arrow keys and Tab reach the chart's key events.
  int DialogCode() const override { return dlgcWantArrows | dlgcWantTab; }
  /// From another chart: lists, settings, ranges, history, scale controls and property objects,
  /// cross hairs, labels, joins, text font and event handlers. Its data sharing is taken over
  /// through the UseDataOf rules. Any other source goes to the control's default.
  void Assign(const TPersistent& Source) override;

  /// Composes the whole control off screen (frame, shadow, caption, scales, chart area, cross hairs)
  /// and copies it onto the screen image in one step; nothing while hidden (outside design mode),
  /// loading or suspended. An axis that cannot be mapped (logarithmic with a bound <= 0) ends it with
  /// ENoxGrafonError before anything reaches the screen. A repaint asked for while the picture is
  /// composed (by an event handler) is done by another pass once this one ends, three at most.
  void Paint() override;
  /// Paints now (if the control may paint) and shows the result.
  void Repaint();
  /// Repaints if AutoRedraw is True or the control is being designed.
  void RepaintIfAutomatic();
  /// While set nothing paints; releasing it repaints. Set from construction until the control's
  /// window exists.
  ///@{
  bool PaintSuspended() const { return m_paintSuspended; }
  virtual void SetPaintSuspended(bool value);
  ///@}

  /// Writes the composed control, as Paint shows it, to a PNG file, composed even when the control
  /// could not paint on screen (hidden, without a window, painting suspended); the screen image is
  /// left alone unless an event handler changed the chart meanwhile (then it repaints). Throws
  /// ENoxGrafonError when an axis cannot be mapped or while the chart's picture is being composed
  /// (from a paint event's handler), EFileError when the file cannot be written. At a device scale
  /// the picture is drawn afresh with scale device pixels per control pixel (fonts, pen widths and
  /// marks sized by it), so 1.5 or 2 give a sharp picture of the same layout; a scale outside (0, 8]
  /// or a picture beyond the image limit (kMaxBitmapSide, kMaxBitmapPixels) throws ENoxGrafonError.
  ///@{
  void SaveToPngFile(const std::string& path);
  void SaveToPngFile(const std::string& path, double scale);
  ///@}
  /// Composes the control into bitmap (resized to the picture) at a device scale, as SaveToPngFile
  /// does. With printerPixelsPerInchY > 0 the picture is for a printer of that vertical resolution:
  /// its canvases are printer canvases, so fonts and marks follow the printer's rules. Same errors
  /// as SaveToPngFile; on an error bitmap is left as it was.
  void Render(TBitmap& bitmap, double scale, int printerPixelsPerInchY = 0);

 protected:
  /// After a removal from a list: repaints this chart and every chart sharing its data.
  void ItemsRemoved() override;
  void CreateWnd() override;           ///< resizes the images and lets the chart paint
  void DeviceScaleChanged() override;  ///< composes the images again at the new scale
  /// Puts every setting to its value after construction; run once by the constructor.
  void Setup();

  /// the range-update path
  /// Applies joined-layer rules for layer, then ApplyLayerRange for it and for every layer that
  /// follows it; with recordHistory, one zoom snapshot of the result when anything was stored (the
  /// layers that follow record none of their own). Painting is suspended meanwhile and repaints at
  /// the end if that releases it. Returns whether anything was stored.
  bool SetJointRange(int layer, bool recordHistory, bool confine, long double xLow, long double yLow,
                     long double xHigh, long double yHigh);
  /// The single place where ranges change: confinement (when confine and a box is set), the
  /// MinRange and logarithmic rules, stores without notification, scale controls, history (when
  /// recordHistory and something was stored), mapping. Returns whether anything was stored.
  bool ApplyLayerRange(int layer, bool recordHistory, bool confine, long double xLow, long double yLow,
                       long double xHigh, long double yHigh);
  /// A snapshot of all 16 layers' ranges into the zoom history (not while loading).
  void PushZoomHistory();
  /// Empties the history and records the current ranges.
  void ResetZoomHistory();
  /// Copies a property object into its scale control and places the axis line.
  void PushScaleProps(TScale& scale, const TScaleProps& props);
  /// Handler of every property object's and date format's change and of every scale control's
  /// zoom/pan: re-copies all property objects, re-applies all ranges (joins included), repaints.
  void ScaleChanged(TObject* Sender);

  /// rendering hooks, drawn by the renderer (its DrawBackground and DrawChartArea say what): the
  /// chart area's background, the area from (left, top) to (left + width, top + height); all inside
  /// the chart area, its top left corner at (offsetX, offsetY), without grid when noGrid is not 0.
  ///@{
  virtual void RenderBackground(TCanvas& canvas, int left, int top, int width, int height);
  virtual void RenderDataToBitmap(TBitmap& bitmap, int offsetX, int offsetY, bool monochrome, int noGrid);
  virtual void RenderData(TCanvas& canvas, int offsetX, int offsetY, bool monochrome, int noGrid);
  ///@}
  /// Steps of RenderData and Paint, and the grid positions, done by the renderer (the rules beside
  /// the same names in render/grafon_renderer.h): the grid, the text labels, the cross hairs, the
  /// mouse trace, everything outside the chart area, the overlays copied onto a canvas; the
  /// off-screen images' device scale and printer flag (0: not a printer).
  ///@{
  void DrawGrid(TCanvas& canvas, int offsetX, int offsetY);
  void DrawTextLabels(TCanvas& canvas, int offsetX, int offsetY);
  void DrawCrossHairs(int x, int y, TBitmap& image);
  void DrawMouseTrace(int x, int y, TBitmap& image);
  void RenderControlFrame(TCanvas& canvas);
  void ComposeOverlays(int x, int y, TCanvas& canvas, TBitmap& image);
  void SetImageDevice(double scale, int printerPixelsPerInchY);
  double NextGridPosition(bool IsLog, int N, bool IsY, double Step, double Current) const;
  std::vector<double> GridPositions(bool IsY) const;
  ///@}
  /// off-screen images: the chart area, the whole control, the background picture
  ///@{
  TBitmap& ChartImage() { return m_renderer.ChartImage(); }
  TBitmap& ControlImage() { return m_renderer.ControlImage(); }
  TBitmap& BackgroundPicture() { return m_renderer.BackgroundPicture(); }
  ///@}
  /// The pixel aspect read from the host at construction (AspX, AspY; 1:1 if the host's is unusable).
  ///@{
  int DeviceAspectX() const { return m_aspectX; }
  int DeviceAspectY() const { return m_aspectY; }
  ///@}
  /// The state of the mouse gesture under way, and the freehand trace drawn so far.
  ///@{
  detail::TMouseState& MouseState() { return m_mouse.State(); }
  std::vector<TMouseTracePoint>& MouseTrace() { return m_mouse.Trace(); }
  ///@}
  /// Copies an image onto the screen image at (x, y); rubber figures being drawn stay on top.
  void CopyToScreen(int x, int y, const TBitmap& image) { m_mouse.CopyToScreen(x, y, image); }

  /// mouse and key handlers (interaction/mouse_actions.cpp), each running the inherited handling
  /// (the standard event) at its place. MouseMove ignores a move arriving while an earlier one is
  /// handled, and ends with OnMouseMoveInChart; MouseLeave gives back a cursor the chart had set.
  ///@{
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void MouseLeave() override;
  bool MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  ///@}

 private:
  friend class TJointLayers;
  friend class detail::TGrafonRenderer;
  friend class detail::TGrafonMouse;
  class TPaintHold;         ///< a bulk change's scope (paint_hold.h): painting held back
  class TScaleChangeBatch;  ///< ... and scale changes collected

  bool CanPaint() const;
  void EndLoadingGuards();        ///< from now on the axis property objects check a switch to logarithmic
  void AskTiedChartsToRepaint();  ///< data sharing
  void LeaveDataOwner();
  void ReleaseDataUsers();
  bool StoreAxisRequest(TScaleProps& props, long double low, long double high);
  /// After a stored form was read: a joined axis the form gave no range for takes its controller's
  /// range, as when the join is made (no history); the ranges the form gave stay as written.
  void FollowJoinsWithoutStoredRange();
  void FitIsometric(int layer);
  bool IsPanning(bool xAxis) const;
  detail::TZoomSnapshot CurrentRanges() const;  ///< all 16 layers' ranges, as a zoom snapshot holds them
  void PrepareScaleControl(TScale& scale, bool xAxis);
  void WireScaleControl(TScale& scale);
  /// A scale control's margin at the right (bottom) end: its axis ends on the chart area's last
  /// column (row), just inside the shadow.
  int ScaleMarginRight() const { return m_marginRight + m_shadowWidth - 1; }
  int ScaleMarginBottom() const { return m_marginBottom + m_shadowWidth - 1; }
  void PushAllScaleProps();
  void ScalePropsAssigned() override;
  void InitCrossHairsAndLabels();
  /// The PopupMenu of the hosted scale whose band holds mousePos, if it has one; else the chart's.
  TPopupMenu* PopupMenuAt(TPoint mousePos) const override;
  /// geometry: the control's size, margins and shadow, as the mapping and the mouse see them
  detail::TChartFrame ChartFrame() const;
  bool InChartArea(int x, int y) const { return detail::InChartArea(ChartFrame(), x, y); }
  void ResizeChartImage(bool width, bool height);
  /// What the parts' changes make the control do (TGrafonAppearance, TGrafonDrawing).
  void PictureChanged() override;
  void MarkRuleChanged() override;
  void MarginChanged(TMarginSide side) override;
  void ShadowWidthChanged() override;
  /// The pixel a logarithmic axis of layer index 0..15 gives values it cannot show (<= 1e-100): the
  /// left (bottom) edge of the control, or the right (top) one when the axis is reversed.
  int BelowLogPixelX(std::size_t index) const;
  int BelowLogPixelY(std::size_t index) const;

  TJointLayers m_jointLayers;
  bool m_isometric = false;
  int m_aspectX = 36;  ///< pixel aspect of the screen
  int m_aspectY = 36;
  bool m_autoRedraw = true;
  TgfLayout m_standardLayout = gfl_X1Bottom_Y1Left;
  bool m_paintSuspended = true;  ///< nothing paints while set
  bool m_settingLayout = false;  ///< a layout sets its margins: images and scales follow
  int m_scaleChangeDepth = 0;    ///< open TScaleChangeBatch scopes
  bool m_scaleChangePending = false;
  detail::TGrafonRenderer m_renderer{*this};  ///< the painting state and steps
  detail::TGrafonMouse m_mouse{*this};        ///< the gesture state and steps
};

/// The chart control as placed on a form.
class TGrafon : public TCustomGrafon {
 public:
  explicit TGrafon(TComponent* owner) : TCustomGrafon(owner) {}      ///< as TCustomGrafon's
  std::string_view ClassName() const override { return "TGrafon"; }  ///< the class's name
};

}  // namespace nox
