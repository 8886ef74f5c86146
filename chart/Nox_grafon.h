#pragma once
// TCustomGrafon / TGrafon: the chart control.
//
// The chart keeps a display list of drawing items in world coordinates on 16 layers (each layer an
// X and a Y axis with its own range, linear or logarithmic), maps them to pixels per layer and
// turns gestures into range changes. TCustomGrafon is composed of parts that each own their state
// and document their share of the published surface; they tell the control what changed through
// protected hooks, and the control keeps the orchestration (repainting, the range-update path, data
// sharing, geometry) and the entry points of painting and the mouse:
//
//   grafon_drawing.h         drawing operations, pen, lists, visibility (owns the item store)
//                            drawing_operations.cpp, item_operations.cpp
//   grafon_appearance.h      margins, shadow, colours, grid, background, caption, cross hairs, text
//                            labels grafon_appearance.cpp
//   grafon_layers.h          axis property objects, scale controls, mapping, zoom history,
//                            confinement grafon_layers.cpp
//   grafon_mouse_settings.h  mouse action, trace, pan grid, wheel, keys grafon_mouse_settings.cpp
//   grafon_events.h          the chart's events
//
// The control's own files: construction, Loaded, Assign grafon_construction.cpp; what assistive
// technology announces accessible_text.cpp; margins, shadow, size chart_geometry.cpp; standard
// layouts standard_layouts.cpp; hosted scale controls scale_controls.cpp; data sharing and showing
// the lists data_sharing.cpp; ranges and history layer_ranges.cpp; world/pixel mapping
// layer_mapping.cpp; bulk-change scopes paint_hold.h; joined layers joint_layers.h; types
// grafon_types.h. Its pieces live in rooms (model is included by render and interaction, which do
// not include each other; form reads and writes the control):
//
//   model/                   item record chart_item.h; lists item_list.h in series stores
//                            series_store.h with block_summaries.h; the item store item_store.h; the mapping
//                            layer_mapping.h (and scale/axis_mapping.h) over chart_frame.h;
//                            zoom_history.h; range_confinement.h; axis property objects
//                            scale_props.h; grafon_error.h
//   render/                  paint pipeline paint_pipeline.cpp; items render_data.cpp (the passes),
//                            item_render.h (the kinds, the pixel limit), text_lines.h; background
//                            background.cpp, background_image.h; grid grid.cpp, grid_positions.h;
//                            text_labels_draw.cpp, cross_hairs_draw.cpp, mouse_trace_draw.cpp,
//                            shifted_pixel.cpp; frame, shadow, caption control_frame.cpp; png_export.cpp
//   interaction/             press, move, release, cursor mouse_actions.cpp; wheel and keys
//                            wheel_and_keys.cpp, view_navigation.cpp, navigation_gesture.h;
//                            mouse_pan_zoom.cpp, mouse_windows.cpp, mouse_scale_drag.cpp,
//                            mouse_drag_objects.cpp, mouse_trace.cpp, rect_pick.cpp; rubber figures
//                            mouse_rubber_figures.cpp, xor_figures.h; geometry mouse_geometry.h; state
//                            mouse_state.h
//   form/                    the stored form grafon_stored_form.h
//
// Two pixel spaces: control pixels (origin at the control's top left; WorldToPixel gives these)
// and chart-area pixels (origin at (MarginLeft, MarginTop)). With W, H the control's size, the
// chart area runs from x = MarginLeft to W - MarginRight - ShadowWidth and from y = MarginTop to
// H - MarginBottom - ShadowWidth.
//
// Repainting: setters that change the picture repaint if AutoRedraw is True or the control is
// being designed (RepaintIfAutomatic). Operations that change many things suspend painting and
// paint once at the end. Nothing paints before the control's window exists.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
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
#include "chart/interaction/mouse_state.h"
#include "chart/interaction/navigation_gesture.h"
#include "chart/interaction/xor_figures.h"
#include "chart/joint_layers.h"
#include "chart/model/chart_item.h"
#include "chart/model/grafon_error.h"
#include "chart/model/item_list.h"
#include "chart/model/item_store.h"
#include "chart/model/layer_mapping.h"
#include "chart/model/range_confinement.h"
#include "chart/model/scale_props.h"
#include "chart/model/zoom_history.h"
#include "chart/render/background_image.h"
#include "chart/render/grafon_renderer.h"
#include "chart/render/item_render.h"
#include "chart/render/render_state.h"
#include "platform/bitmap.h"
#include "platform/control.h"
#include "platform/regular_file.h"
#include "scale/Nox_Scale.h"
#include "scale/axis_mapping.h"

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
  /// data sharing
  ///
  /// A chart may show another chart's data list instead of its own. Setting UseDataOf to T:
  ///   T is this chart          -> "Grafon: Cannot share data with myself"
  ///   others use this chart's data (any T, nil too)
  ///                            -> "Grafon: Cannot use foreign data. Other Grafons are using my own data."
  ///   T (or the chart whose data T uses, the owner) already serves 4 charts
  ///                            -> "Grafon: Max. number of data shares exceeded"
  /// The messages appear in the host's information box and change nothing. Otherwise this chart
  /// leaves the chart whose data it used and shows the owner's list (the same storage, count
  /// included); nil makes it keep a copy of the items as they stand. A chart that is destroyed
  /// leaves every table: its users keep a copy of its items.
  ///@{
  TCustomGrafon* UseDataOf() const { return m_useDataOf; }  ///< = nullptr
  void SetUseDataOf(TCustomGrafon* value);
  ///@}
  /// The charts that use this chart's data, in the order they joined (index 0..DataUserCount()-1;
  /// nullptr outside).
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
  // mouse interaction (chart/interaction/)
  //
  // MouseAction says what a left-button gesture in the chart area does; only the layers with
  // LayerMouseActive follow it. The scales of every layer can be dragged as their own MouseAction
  // says, and a double click on a scale switches it between maPan and maZoom. Rubber figures (zoom
  // window, rubber band, select rectangle, rectangle pick) are XOR-drawn on the screen image and
  // taken away again when their gesture ends. The pans leave an axis alone whose chart-area extent
  // (AW or AH) is 0; a chart area of negative extent holds no point, so no chart-area gesture acts.
  // Mouse coordinates may lie anywhere in the int range.

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

  // ---------------------------------------------------------------------------------------------
  // value readout (chart/interaction/value_readout.cpp)
  //
  // The data point nearest to a pixel: a line-to, move-to or mark of the data list in world units,
  // on a visible layer and of a visible class, drawn in the chart area. The search passes over the
  // blocks of the list that lie farther away, so it costs little even under millions of points.

  /// The point nearest to control pixel (x, y) within radius pixels (Euclidean); of points equally
  /// near, the last in the list (drawn on top). None when no point is that near or radius < 0.
  std::optional<TgfItemHit> NearestDataItem(int x, int y, int radius) const;

  // ---------------------------------------------------------------------------------------------
  // wheel and keys (chart/interaction/wheel_and_keys.cpp, view_navigation.cpp)
  //
  // Both move the layers that follow the mouse (LayerMouseActive) through the range-update path, so
  // joins, confinement (a pan is shifted back inside the box, a zoom cut to it), MinRange and the
  // logarithmic rules hold as for the mouse gestures; OnZoomPan fires after each change. A run of
  // wheel turns, or of navigation keys, with no pause over 500 ms between them (by the host's
  // timestamps) is one gesture and leaves one zoom-history snapshot, of its latest view. Neither
  // acts while a mouse gesture is under way (Escape aside).

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
  /// Steps of RenderData and Paint. (offsetX, offsetY): where the chart area's top left corner lies
  /// on the canvas.
  /// The grid of the current layer by GridStyle in GridColor, at the positions GridPositions gives
  /// (at most 1000 lines each way, 1000 points in all); the pen ends solid.
  void DrawGrid(TCanvas& canvas, int offsetX, int offsetY);
  /// Text labels 50 down to 1 (label 1 on top), those shown: Mode not tlOff, Visible, layer visible.
  /// A label whose PosX or PosY is NaN or infinite is left out; anchors are limited to +-30000
  /// pixels as item pixels are. Unattached coordinates are control pixels.
  void DrawTextLabels(TCanvas& canvas, int offsetX, int offsetY);
  /// Cross hairs 4 down to 1 (cross hair 1 on top) onto image, whose top left corner lies at (x, y)
  /// in control pixels; each line only where the cross hair lies inside the chart area (a NaN or
  /// infinite position is never inside; a negative LineWid draws like 0). The image's pen colour,
  /// width and style and its brush style come back afterwards.
  void DrawCrossHairs(int x, int y, TBitmap& image);
  /// The mouse trace onto image with the chart area's top left corner at (x, y) on it; the segments
  /// at a point that is NaN or infinite are left out. Pen and brush come back as for cross hairs.
  void DrawMouseTrace(int x, int y, TBitmap& image);

  /// Paint's steps: everything outside the chart area onto ControlImage's canvas (window background,
  /// shadow, caption, then the mapping and the 32 scales); the cross hairs drawn into image, which
  /// lies at (x, y) in control pixels, and image copied onto canvas there.
  ///@{
  void RenderControlFrame(TCanvas& canvas);
  void ComposeOverlays(int x, int y, TCanvas& canvas, TBitmap& image);
  ///@}
  /// Gives the off-screen images a device scale and printer flag (0: not a printer).
  void SetImageDevice(double scale, int printerPixelsPerInchY) {
    m_renderer.SetImageDevice(scale, printerPixelsPerInchY);
  }

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

  /// --- grid positions (render/grid.cpp; the rules in render/grid_positions.h) ---
  /// The grid position after Current along the x axis (IsY False) or the y axis of the current
  /// layer; N is the number of the position to come (2 for the second). Step 0 gives the N-th tick
  /// of the axis' scale control, or the larger range bound when N lies outside 1..NumTicks.
  double NextGridPosition(bool IsLog, int N, bool IsY, double Step, double Current) const;
  /// Where DrawGrid puts the vertical lines (IsY False) or the horizontal lines, in world units; with
  /// step 0 the scale control's ticks within the range, in increasing order.
  std::vector<double> GridPositions(bool IsY) const;

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
