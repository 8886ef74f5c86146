#pragma once
// TCustomGrafon / TGrafon: the chart control.
//
// The chart keeps a display list of drawing items in world coordinates on 16 layers (each layer an
// X and a Y axis with its own range, linear or logarithmic), maps them to pixels per layer and
// turns gestures into range changes. TCustomGrafon is composed of parts that each own their state.
// The published parts document their share of the surface and tell the control what changed
// through protected hooks; the control keeps the orchestration (repainting, the range-update path,
// data sharing, geometry) and the entry points of painting and the mouse:
//
//   grafon_drawing.h         drawing operations, pen, lists, visibility (owns the item store)
//   grafon_appearance.h      margins, shadow, colours, grid, background, caption, cross hairs, labels
//   grafon_layers.h          axis property objects, scale controls, mapping, history, confinement
//   grafon_mouse_settings.h  mouse action, trace, pan grid, wheel, keys
//   grafon_events.h          the chart's events
//   render/grafon_renderer.h the renderer: off-screen images, background picture, the painting steps
//   interaction/grafon_mouse.h  the mouse controller: the gesture state and its steps
//
// The control's own files: construction, Loaded, Assign grafon_construction.cpp; accessible text
// accessible_text.cpp; margins, shadow, size chart_geometry.cpp; standard_layouts.cpp;
// scale_controls.cpp; data sharing data_sharing.cpp; ranges and history layer_ranges.cpp;
// world/pixel mapping layer_mapping.cpp; bulk-change scopes paint_hold.h; joint_layers.h;
// grafon_types.h. The pieces live in rooms; model is included by render and interaction, which do
// not include each other, and form reads and writes the control (scripts/check_chart_rooms.sh):
//
//   model/        item record chart_item.h; lists item_list.h in series_store.h with
//                 block_summaries.h; item_store.h; mapping layer_mapping.h over chart_frame.h;
//                 zoom_history.h; range_confinement.h; axis property objects scale_props.h
//   render/       the renderer grafon_renderer.h: paint_pipeline.cpp, control_frame.cpp,
//                 background.cpp; items render_data.cpp, item_render.h (the kinds, the pixel
//                 limit), text_lines.h; grid.cpp, grid_positions.h; text_labels_draw.cpp,
//                 cross_hairs_draw.cpp, mouse_trace_draw.cpp, shifted_pixel.cpp; png_export.cpp
//   interaction/  the mouse controller grafon_mouse.h: mouse_actions.cpp; wheel_and_keys.cpp,
//                 view_navigation.cpp, navigation_gesture.h; mouse_pan_zoom.cpp, mouse_windows.cpp,
//                 mouse_scale_drag.cpp, mouse_drag_objects.cpp, mouse_trace.cpp, rect_pick.cpp;
//                 mouse_rubber_figures.cpp, xor_figures.h; mouse_geometry.h; mouse_state.h
//   form/         the stored form grafon_stored_form.h
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

constexpr int kMaxDataUsers = 4;      ///< charts that may use one chart's data
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
                      public TGrafonEvents {
 public:
  /// A chart with every setting at its default (the values given beside the properties below),
  /// owned by owner (or by nobody); painting waits until the control's window exists.
  explicit TCustomGrafon(TComponent* owner);
  ~TCustomGrafon() override;
  std::string_view ClassName() const override { return "TCustomGrafon"; }  ///< the class's name

  // ---------------------------------------------------------------------------------------------
  /// Shows the lists: redraws the chart area (AutoRedraw True) or the whole control (False) if the
  /// control is visible, then asks every chart tied to this one by data sharing to repaint itself.
  void ShowItems();

  // ---------------------------------------------------------------------------------------------
  /// data sharing: a chart may show another chart's data list instead of its own. Setting
  /// UseDataOf to T is refused, with a message in the host's information box, when T is this chart
  /// ("Grafon: Cannot share data with myself"), when others use this chart's data (any T, nil too:
  /// "Grafon: Cannot use foreign data. Other Grafons are using my own data.") or when T (or the
  /// chart whose data T uses, the owner) already serves 4 charts ("Grafon: Max. number of data
  /// shares exceeded"). Otherwise this chart leaves the chart whose data it used and shows the
  /// owner's list (the same storage, count included); nil makes it keep a copy of the items as they
  /// stand. A chart that is destroyed leaves every table: its users keep a copy of its items.
  ///@{
  TCustomGrafon* UseDataOf() const { return m_useDataOf; }  ///< = nullptr
  void SetUseDataOf(TCustomGrafon* value);
  ///@}
  /// The charts that use this chart's data, in the order they joined (nullptr outside the count).
  ///@{
  int DataUserCount() const { return m_dataUserCount; }
  TCustomGrafon* DataUser(int index) const;
  ///@}

  // ---------------------------------------------------------------------------------------------
  // layers, ranges and mapping
  //
  // Ranges change through one path (SetJointRange -> ApplyLayerRange): joined layers follow their
  // controlling layer, confinement keeps gestures inside a box, requests narrower than 0.99 x
  // MinRange are ignored axis by axis, logarithmic bounds below 1e-100 bound by bound; then the
  // scale controls and the mapping are updated. An axis request with a bound that is NaN or
  // infinite, lies beyond the Double range, or spans more than a Double holds, is ignored like a
  // too narrow one: that axis keeps its range.

  /// Sets the ranges of one layer (1..16), or of all when layer is 0; other layers do nothing. Equal
  /// bounds are pulled apart (by MinRange on a linear axis, by the factor 1.1 on a logarithmic one);
  /// in isometric mode the Y range is replaced by one of the X range's physical scale, centred where
  /// the requested one was. Records one zoom snapshot per layer set, then repaints.
  void SetLayerRange(int layer, long double xLow, long double yLow, long double xHigh, long double yHigh);
  /// Restores the zoom snapshot n steps back (0 the newest, -15 the oldest); layers not recorded in
  /// that snapshot keep their ranges. n outside -15..0 does nothing.
  void RecallZoom(int n);
  /// True makes every layer's Y range match its X range's physical scale (using the screen's pixel
  /// aspect), records a zoom snapshot and repaints; False only stores. While a stored form is being
  /// read, True only stores too and size or margin changes do not re-fit: the form holds the ranges
  /// as they were fitted.
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
  /// range. An axis without extent (chart area 0 or less wide or high) has no inverse: it gives that
  /// axis' RangeLow.
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

  // ---------------------------------------------------------------------------------------------
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

  // ---------------------------------------------------------------------------------------------
  // mouse interaction: the rules of the gestures in interaction/grafon_mouse.h

  /// The world position, in the current layer, of the last mouse move inside the chart area
  /// (0, 0 before the first one).
  void LastMouseWorldPos(double& x, double& y) const;

  /// The two-click rectangle pick, independent of MouseAction. ArmRectPick makes the next press
  /// (other than with the right button, which disarms) set the first corner; the rectangle then
  /// follows the mouse (clamped to the chart area) until the release sets the second corner (the
  /// release position, not clamped) and the state becomes msFinished; a right-button release
  /// cancels (msNormal). The state stays msFinished until ResetRectPick or ArmRectPick. Both take a
  /// rectangle being drawn off the screen first.
  ///@{
  void ArmRectPick();
  void ResetRectPick();
  TRectPickState RectPickState() const { return m_mouse.State().RectPick; }
  TPoint RectPickFirstCorner() const { return m_mouse.State().RectPickFirst; }
  TPoint RectPickSecondCorner() const { return m_mouse.State().RectPickSecond; }
  ///@}

  /// Empties the freehand mouse trace (maDrawMTrace), then repaints if automatic.
  void ClearMouseTrace();

  /// Escape's work: cancels the mouse gesture under way. A zoom window, rubber band, select
  /// rectangle or rectangle pick ends without event, its figure erased; a pan, zoom drag or scale
  /// drag puts the ranges back to where the drag started; an object drag or trace stroke ends where
  /// it is. The rest of the gesture, until the buttons are released, does nothing. False when no
  /// gesture was under way.
  bool CancelGesture();

  /// The data point nearest to control pixel (x, y) within radius pixels (Euclidean): a line-to,
  /// move-to or mark of the data list in world units, on a visible layer and of a visible class,
  /// drawn in the chart area; of points equally near, the last in the list (drawn on top). None
  /// when no point is that near or radius < 0. Blocks of the list that lie farther away are passed
  /// over, so it costs little even under millions of points (interaction/value_readout.cpp).
  std::optional<TgfItemHit> NearestDataItem(int x, int y, int radius) const;

  // wheel and keys: the rules in interaction/grafon_mouse.h
  /// Back to the view as it was before the user's first press, wheel turn or navigation key, with
  /// one zoom-history snapshot; nothing before that.
  void RecallHomeView() { m_mouse.RecallHomeView(); }
  /// Recalls the snapshot one step further back than the last call did, as long as nothing has been
  /// recorded since (otherwise the one before the newest). False, and nothing changes, when there
  /// is none further back (fifteen steps, or a slot never recorded).
  bool StepBackInHistory() { return m_mouse.StepBackInHistory(); }

  /// For assistive technology: the caption (or "Chart"), and the ranges of the layers whose axes
  /// are shown, e.g. "x from 0 to 300, y from -60 to 110".
  ///@{
  std::string AccessibleName() const override;
  std::string AccessibleDescription() const override;
  ///@}

  // ---------------------------------------------------------------------------------------------
  /// control behaviour
  /// The control's size never falls below MarginLeft + MarginRight + ShadowWidth + 80 wide and
  /// MarginTop + MarginBottom + ShadowWidth + 20 high. While a stored form is read the size is taken
  /// as stored down to 80 x 20: margins changed after a resize leave a chart below its minimum.
  void SetBounds(int left, int top, int width, int height) override;
  /// The least size SetBounds gives: room for the margins, the shadow and a chart area.
  ///@{
  int MinimumWidth() const { return m_marginLeft + m_marginRight + m_shadowWidth + kLeastChartWidth; }
  int MinimumHeight() const { return m_marginTop + m_marginBottom + m_shadowWidth + kLeastChartHeight; }
  ///@}
  /// After reading a stored form: ends the property objects' loading guard, lets joined axes the
  /// form gave no range for follow their controllers, computes the mapping, repaints. While the form
  /// was read, property changes did not re-apply joins (ScaleChanged waits for this step). A chart
  /// made in code ends the guard when it is first shown or painted.
  void Loaded() override;
  /// Arrow keys and Tab reach the chart's key events.
  int DialogCode() const override { return dlgcWantArrows | dlgcWantTab; }
  /// From another chart: lists, settings, ranges, history, scale controls and property objects,
  /// cross hairs, labels, joins, text font and event handlers. Its data sharing is taken over
  /// through the UseDataOf rules. Any other source goes to the control's default.
  void Assign(const TPersistent& Source) override;

  /// Composes the whole control off screen (frame, shadow, caption, scales, chart area, cross hairs)
  /// and copies it onto the screen image in one step. Does nothing while the control is hidden
  /// (outside design mode), loading or suspended. An axis that cannot be mapped (logarithmic with a
  /// bound <= 0) ends it with ENoxGrafonError before anything reaches the screen. A repaint asked
  /// for while the picture is composed (an event handler that changes the chart) is remembered and
  /// the picture composed again once the current pass ends, three passes at most.
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

  // ---------------------------------------------------------------------------------------------
  // rendering (item rendering, paint pipeline, export)

  /// Writes the composed control, as Paint shows it, to a PNG file. It composes the picture even
  /// when the control could not paint on screen (hidden, without a window, painting suspended) and
  /// leaves the screen image alone (unless an event handler changed the chart meanwhile: then the
  /// chart repaints). Throws ENoxGrafonError when an axis cannot be mapped or when called while the
  /// chart's picture is being composed (from a handler of a paint event), EFileError when the file
  /// cannot be written.
  void SaveToPngFile(const std::string& path);
  /// The same at a device scale: the picture drawn afresh with scale device pixels per control
  /// pixel (fonts, pen widths and marks sized by it, TCanvas's device scale), so 1.5 or 2 give a
  /// sharp picture of the same layout rather than an enlarged one. Throws ENoxGrafonError, writing
  /// nothing, for a scale outside (0, 8] or a picture beyond the image limit (kMaxBitmapSide,
  /// kMaxBitmapPixels).
  void SaveToPngFile(const std::string& path, double scale);
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

  /// rendering hooks
  /// The chart area's background on canvas, the area running from (left, top) to (left + width,
  /// top + height), a negative size counting as 0: ChartColor framed in ChartFrameColor, then the
  /// BackGroundImg picture (read from its file every time; at its own size, stretched, or tiled from
  /// the area's corner; clipped to the area) or else the AreaMode rectangles in AreaColor (bounds
  /// mapped with the current layer; a rectangle that needs a NaN bound is left out). A file that
  /// cannot be loaded leaves ChartColor in the frame and clears the name, whose change handler may
  /// repaint (a paint inside this one); nothing is thrown.
  virtual void RenderBackground(TCanvas& canvas, int left, int top, int width, int height);
  /// Everything inside the chart area, with its top left corner at (offsetX, offsetY) on canvas: the
  /// grid (unless noGrid is non-zero), the data list and the annotation list (in the order the
  /// annotation switches give; items drawn as item_render.h says, monochrome in black on silver),
  /// the text labels, and the frame line round the area in ChartFrameColor. OnBeforeRenderData and
  /// OnDataRendered bracket it; OnBeforeRenderChartItem and OnBeforeRenderText may change the copy
  /// of an item, or the text, about to be drawn. RenderDataToBitmap renders onto a bitmap's canvas.
  ///@{
  virtual void RenderDataToBitmap(TBitmap& bitmap, int offsetX, int offsetY, bool monochrome, int noGrid);
  virtual void RenderData(TCanvas& canvas, int offsetX, int offsetY, bool monochrome, int noGrid);
  ///@}
  /// Steps of RenderData and Paint, done by the renderer (render/grafon_renderer.h says how):
  /// the grid, the text labels, the cross hairs, the mouse trace, everything outside the chart area,
  /// the overlays copied to a canvas; the off-screen images' device scale and printer flag.
  ///@{
  void DrawGrid(TCanvas& canvas, int offsetX, int offsetY) { m_renderer.DrawGrid(canvas, offsetX, offsetY); }
  void DrawTextLabels(TCanvas& canvas, int offsetX, int offsetY) {
    m_renderer.DrawTextLabels(canvas, offsetX, offsetY);
  }
  void DrawCrossHairs(int x, int y, TBitmap& image) { m_renderer.DrawCrossHairs(x, y, image); }
  void DrawMouseTrace(int x, int y, TBitmap& image) { m_renderer.DrawMouseTrace(x, y, image); }
  void RenderControlFrame(TCanvas& canvas) { m_renderer.RenderControlFrame(canvas); }
  void ComposeOverlays(int x, int y, TCanvas& canvas, TBitmap& image) {
    m_renderer.ComposeOverlays(x, y, canvas, image);
  }
  void SetImageDevice(double scale, int printerPixelsPerInchY) {
    m_renderer.SetImageDevice(scale, printerPixelsPerInchY);
  }
  ///@}

  /// off-screen images: the chart area, the whole control, the background picture
  ///@{
  TBitmap& ChartImage() { return m_renderer.ChartImage(); }
  TBitmap& ControlImage() { return m_renderer.ControlImage(); }
  TBitmap& BackgroundPicture() { return m_renderer.BackgroundPicture(); }
  ///@}

  /// The pixel aspect read from the host at construction (AspX, AspY; 1:1 when the host reports
  /// something unusable).
  ///@{
  int DeviceAspectX() const { return m_aspectX; }
  int DeviceAspectY() const { return m_aspectY; }
  ///@}

  /// The state of the mouse gesture under way, and the freehand trace drawn so far.
  ///@{
  detail::TMouseState& MouseState() { return m_mouse.State(); }
  std::vector<TMouseTracePoint>& MouseTrace() { return m_mouse.Trace(); }
  ///@}

  /// Grid positions of the current layer's x axis (IsY False) or y axis, as the renderer's
  /// NextGridPosition and GridPositions give them.
  ///@{
  double NextGridPosition(bool IsLog, int N, bool IsY, double Step, double Current) const {
    return m_renderer.NextGridPosition(IsLog, N, IsY, Step, Current);
  }
  std::vector<double> GridPositions(bool IsY) const { return m_renderer.GridPositions(IsY); }
  ///@}

  /// Copies an image onto the control's screen image with its top left corner at (x, y). Rubber
  /// figures being drawn stay on screen over it (interaction/mouse_rubber_figures.cpp).
  void CopyToScreen(int x, int y, const TBitmap& image) { m_mouse.CopyToScreen(x, y, image); }

  /// mouse handlers of the control (interaction/mouse_actions.cpp); each runs the inherited handling
  /// (the standard event) at its place. MouseMove ignores a move that arrives while an earlier one
  /// is still being handled, and ends with OnMouseMoveInChart.
  ///@{
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  ///@}
  /// Also gives the application-wide cursor back if the chart had set one.
  ///@{
  void MouseLeave() override;
  bool MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  ///@}

 private:
  friend class TJointLayers;
  friend class detail::TGrafonRenderer;
  friend class detail::TGrafonMouse;

  /// Scopes of a bulk change (chart/paint_hold.h): painting held back, scale changes collected.
  class TPaintHold;
  class TScaleChangeBatch;

  bool CanPaint() const;
  /// From now on the axis property objects check a switch to logarithmic.
  void EndLoadingGuards();

  /// data sharing
  void AskTiedChartsToRepaint();
  void LeaveDataOwner();
  void ReleaseDataUsers();

  /// ranges
  bool StoreAxisRequest(TScaleProps& props, long double low, long double high);
  /// After a stored form was read: a joined axis the form gave no range for takes its controller's
  /// range, as when the join is made (no history); the ranges the form gave stay as written.
  void FollowJoinsWithoutStoredRange();
  void FitIsometric(int layer);
  bool IsPanning(bool xAxis) const;
  /// All 16 layers' ranges now, as a zoom snapshot holds them.
  detail::TZoomSnapshot CurrentRanges() const;

  /// scale controls
  void PrepareScaleControl(TScale& scale, bool xAxis);
  void WireScaleControl(TScale& scale);
  void SetScaleControlMargins(int layer);
  /// A scale control's margin at the right (bottom) end: its axis ends on the chart area's last
  /// column (row), just inside the shadow.
  int ScaleMarginRight() const { return m_marginRight + m_shadowWidth - 1; }
  int ScaleMarginBottom() const { return m_marginBottom + m_shadowWidth - 1; }
  void PushAllScaleProps();
  void ScalePropsAssigned() override;
  void InitCrossHairsAndLabels();

  /// geometry
  /// The control's size, margins and shadow, as the mapping and the mouse handling see them.
  detail::TChartFrame ChartFrame() const;
  void ResizeChartImage(bool width, bool height);
  /// What the parts' changes make the control do (TGrafonAppearance, TGrafonDrawing).
  void PictureChanged() override;
  void MarkRuleChanged() override;
  void MarginChanged(TMarginSide side) override;
  void ShadowWidthChanged() override;
  bool InChartArea(int x, int y) const { return detail::InChartArea(ChartFrame(), x, y); }
  /// The pixel a logarithmic axis of layer index 0..15 gives values it cannot show (<= 1e-100): the
  /// left (bottom) edge of the control, or the right (top) one when the axis is reversed.
  int BelowLogPixelX(std::size_t index) const;
  int BelowLogPixelY(std::size_t index) const;
  /// The canvas pixel of a world point of a layer: its control pixel, each coordinate limited to
  /// -30000..30000 as item pixels are, moved by (dx, dy) (the sum saturating at the int range).
  TPoint ShiftedPixel(int layer, double x, double y, int dx, int dy) const;

  /// The PopupMenu of the hosted scale whose band holds mousePos, if it has one; else the chart's.
  TPopupMenu* PopupMenuAt(TPoint mousePos) const override;

  /// --- data sharing ---
  TCustomGrafon* m_useDataOf = nullptr;                     ///< the chart whose data this one shows
  std::array<TCustomGrafon*, kMaxDataUsers> m_dataUsers{};  ///< charts showing this one's data
  int m_dataUserCount = 0;

  /// --- layers ---
  TJointLayers m_jointLayers;
  bool m_isometric = false;
  int m_aspectX = 36;  ///< pixel aspect of the screen
  int m_aspectY = 36;

  /// --- control settings ---
  bool m_autoRedraw = true;
  TgfLayout m_standardLayout = gfl_X1Bottom_Y1Left;

  /// --- painting ---
  bool m_paintSuspended = true;  ///< nothing paints while set
  bool m_settingLayout = false;  ///< a layout sets its margins: images and scales follow
  int m_scaleChangeDepth = 0;    ///< open TScaleChangeBatch scopes
  bool m_scaleChangePending = false;

  /// --- the composed parts that own the painting and the gesture state ---
  detail::TGrafonRenderer m_renderer{*this};
  detail::TGrafonMouse m_mouse{*this};
};

/// The chart control as placed on a form.
class TGrafon : public TCustomGrafon {
 public:
  explicit TGrafon(TComponent* owner) : TCustomGrafon(owner) {}      ///< as TCustomGrafon's
  std::string_view ClassName() const override { return "TGrafon"; }  ///< the class's name
};

}  // namespace nox
