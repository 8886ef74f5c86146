#pragma once
// TCustomGrafon / TGrafon: the chart control.
//
// The chart keeps a display list of drawing items in world coordinates on 16 layers (each layer an
// X and a Y axis with its own range, linear or logarithmic), maps them to pixels per layer and
// turns gestures into range changes. The control composes its parts and keeps the published
// properties, the events and the orchestration; its pieces live in rooms (model is included by render
// and interaction, which do not include each other; form reads and writes the control):
//
//   chart/ (the control)     construction, Loaded, Assign grafon_construction.cpp; what assistive
//                            technology announces accessible_text.cpp; published
//                            properties grafon_properties.cpp; margins, shadow, size
//                            chart_geometry.cpp; standard layouts standard_layouts.cpp; hosted scale
//                            controls scale_controls.cpp; drawing operations drawing_operations.cpp and,
//                            one for each item kind, item_operations.cpp;
//                            data sharing data_sharing.cpp; ranges and history layer_ranges.cpp;
//                            world/pixel mapping layer_mapping.cpp; joined layers joint_layers.h;
//                            types and events grafon_types.h
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
#include "chart/grafon_types.h"
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
#include "chart/render/item_render.h"
#include "chart/render/render_state.h"
#include "platform/bitmap.h"
#include "platform/control.h"
#include "platform/regular_file.h"
#include "scale/Nox_Scale.h"
#include "scale/axis_mapping.h"

namespace nox {

constexpr int kCrossHairCount = 4;
constexpr int kTextLabelCount = 50;
constexpr int kMaxDataUsers = 4;      ///< charts that may use one chart's data
constexpr int kLeastChartWidth = 80;  ///< the chart area a control's minimum size leaves room for, pixels
constexpr int kLeastChartHeight = 20;
/// Margins are kept within 0..kMaxMargin pixels, so the minimum control size stays a valid image.
constexpr int kMaxMargin = 3000;
/// Bytes of the chart's Caption: a title of a line or a few. Longer text cannot show in a control and
/// would still be measured at every paint.
constexpr std::size_t kMaxCaptionLength = 4096;
/// The minimum size with every margin and the shadow (at most 32) at their largest.
static_assert((2LL * kMaxMargin + 32 + 80) * (2LL * kMaxMargin + 32 + 20) * 4 <=
                  static_cast<long long>(kMaxBitmapBytes),
              "the largest minimum control size must be a valid image");

/// The chart: a display list of items in world units on 16 layers, each with its own x and y axis
/// drawn by a hosted TScale, explored with the mouse, the wheel and the keys. TGrafon is the
/// control as placed on a form; derive from TCustomGrafon to reach the protected rendering hooks.
class TCustomGrafon : public TControl {
 public:
  /// A chart with every setting at its default (the values given beside the properties below),
  /// owned by owner (or by nobody); painting waits until the control's window exists.
  explicit TCustomGrafon(TComponent* owner);
  ~TCustomGrafon() override;
  std::string_view ClassName() const override { return "TCustomGrafon"; }  ///< the class's name

  // ---------------------------------------------------------------------------------------------
  /// drawing operations
  ///
  /// Items copy the current pen when they are added; nothing is drawn until ShowItems (or the next
  /// paint). In the data list the integer forms take world coordinates (CoordMode 0); in annotation
  /// mode MoveToPoint records both coordinates as chart-area pixels (CoordMode 1) and LineToPoint
  /// x as pixels and y as world units (CoordMode 4). A chart that uses another chart's data adds
  /// to the shared list, which every chart sharing it shows at once.
  ///@{
  void MoveToPoint(int x, int y);
  void LineToPoint(int x, double y);
  ///@}
  /// markType is taken as a byte: the mark symbols are numbered 0..255.
  void AddMark(int markType, double x, double y);
  /// Shows the lists: redraws the chart area (AutoRedraw True) or the whole control (False) if the
  /// control is visible, then asks every chart tied to this one by data sharing to repaint itself.
  void ShowItems();

  /// Drawing with world coordinates: a move-to or line-to at (x, y) in world units (CoordMode 0),
  /// in the data list, or in annotation mode in the annotation list, as AddMark. NaN and infinite
  /// coordinates are stored and left out when drawing.
  ///@{
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  ///@}
  /// A whole series with the current pen in one call: a move-to at its first point and line-tos to
  /// the others, in the list MoveTo writes to; the block summaries are built in the same pass.
  /// Spans of different lengths throw std::invalid_argument naming both lengths, and a list that
  /// would pass the largest int items throws ENoxGrafonError; nothing is appended then. Empty spans
  /// append nothing. Like the other drawing operations it does not repaint (ShowItems does).
  void AppendSeries(std::span<const double> x, std::span<const double> y);
  /// The same with x[i] = x0 + i * dx; an x0 or dx that is NaN or infinite throws
  /// std::invalid_argument and appends nothing.
  void AppendSeries(double x0, double dx, std::span<const double> y);

  /// Removal. Each takes time in proportion to what it removes, keeps zoom history, ranges and the
  /// pen, and repaints this chart and every chart sharing its data (as AutoRedraw allows); the data
  /// list is shared, so every chart tied by data sharing sees the change.
  /// Empties the data list and its long-text table; its capacity (DataItems().size()) drops to 0.
  void ClearData();
  /// Empties the annotation list and its long-text table; its capacity drops to 0.
  void ClearAnnotations();
  /// Removes the n oldest items of the data list (all of them when n >= DataCount(); nothing when
  /// n <= 0); the others keep their order and become items 0, 1, ...; the capacity and the long
  /// texts stay.
  void RemoveFirstItems(int n);
  /// Keeps at most n items in the data list: removes the oldest now and after every append beyond
  /// n, so that the newest n stay (a window that scrolls with a live series). 0 (the default) keeps
  /// every item; negative values are refused. The limit belongs to the shared data list.
  ///@{
  int DataLimit() const { return m_items.Data->Limit(); }  ///< = 0: no limit
  void SetDataLimit(int n);
  ///@}

  /// typed drawing operations: one for each item kind, with the current pen, layer, class and
  /// attribute, into the list the drawing operations write to. Coordinates are world units of the
  /// current layer unless a pixel mode (TgfCoordMode, annotation mode only) is given; each operation
  /// names the modes it takes. Filled shapes take FillColor. A refused call (a mode the operation
  /// does not take or a pixel mode in the data list, a coordinate that is NaN or infinite, a mark
  /// type outside 0..255, an arc angle beyond +-21 radians, a text too long or a full long-text
  /// table) throws ENoxGrafonError and adds nothing.
  ///
  /// Lines and shapes between two corners (x1, y1) and (x2, y2); modes cmWorld .. cmFirstPixels.
  ///@{
  void AddLine(double x1, double y1, double x2, double y2, TgfCoordMode mode = cmWorld);
  void AddRect(double x1, double y1, double x2, double y2, TgfCoordMode mode = cmWorld);  ///< outline
  void AddFilledRect(double x1, double y1, double x2, double y2, TgfCoordMode mode = cmWorld);
  ///@}
  /// A face in FillColor with a frame in two colours drawn by style.
  void AddFrame3D(double x1, double y1, double x2, double y2, TFrameStyle style, TColor color1, TColor color2,
                  TgfCoordMode mode = cmWorld);
  /// Arrows with heads headLength pixels long (below 1: no heads); modes cmWorld .. cmPixelY.
  ///@{
  void AddArrow(double x1, double y1, double x2, double y2, int headLength, TArrowHead head = ahFilled,
                TgfCoordMode mode = cmWorld);
  void AddArrowBoth(double x1, double y1, double x2, double y2, int headLength, TArrowHead head = ahFilled,
                    TgfCoordMode mode = cmWorld);
  ///@}
  /// World units only: a bar with a receding top and side (angle in degrees, depth in pixels); an
  /// ellipse and an arc about (x, y) with half-axes rx, ry (angles in radians, counter-clockwise
  /// from the right); a line between world points shifted by pixels; error bars reaching below
  /// and above (left and right when horizontal) with a mark of markType at the point.
  ///@{
  void AddBar3D(double x1, double y1, double x2, double y2, int angle, int depth);
  void AddEllipse(double x, double y, double rx, double ry);  ///< outline
  void AddFilledEllipse(double x, double y, double rx, double ry);
  void AddArc(double x, double y, double rx, double ry, double fromAngle, double toAngle);
  void AddWorldLine(double x1, double y1, double x2, double y2, int shiftX, int shiftY);
  void AddErrorBars(double x, double y, double below, double above, bool horizontal, int markType);
  ///@}
  /// A world point and pixel extents: a rectangle halfWidth x halfHeight pixels about it, a line to
  /// the point dx, dy pixels away.
  ///@{
  void AddPixelRect(double x, double y, int halfWidth, int halfHeight);  ///< outline
  void AddFilledPixelRect(double x, double y, int halfWidth, int halfHeight);
  void AddDeltaLine(double x, double y, double dx, double dy);
  ///@}
  /// A cross through the centre of the box x +- hx, y +- hy: cmWorld, cmPixels, or cmFirstWorld for
  /// a world centre with half-extents in pixels.
  void AddCrossMark(double x, double y, double hx, double hy, TgfCoordMode mode = cmWorld);
  /// Lines across the whole chart area; cmWorld or cmPixels.
  ///@{
  void AddVertLine(double x, TgfCoordMode mode = cmWorld);
  void AddHorizLine(double y, TgfCoordMode mode = cmWorld);
  ///@}
  /// A move of the pen and a line from it, dx, dy pixels from where the pen is.
  ///@{
  void AddMoveRel(double dx, double dy);
  void AddLineRel(double dx, double dy);
  ///@}
  /// Texts in DataColor with TextFont's size, TextAlignment and TextBkStyle (the background in
  /// TextBkColor); line feeds break lines. AddText anchors at (x, y) in any mode; AddTextOffset at
  /// the world point (x, y) moved by dx, dy pixels.
  ///@{
  void AddText(double x, double y, std::string_view text, TgfCoordMode mode = cmWorld);
  void AddTextOffset(double x, double y, double dx, double dy, std::string_view text);
  ///@}

  /// the current pen; setting it only stores (no repaint, items already added keep theirs)
  ///@{
  TColor DataColor() const { return m_items.Pen.Color; }  ///< = 0
  void SetDataColor(TColor value) { m_items.Pen.Color = value; }
  TColor FillColor() const { return m_items.Pen.FillColor; }  ///< = $C0C0C0
  void SetFillColor(TColor value) { m_items.Pen.FillColor = value; }
  TColor TextBkColor() const { return m_items.Pen.FillColor; }  ///< the same value as FillColor
  void SetTextBkColor(TColor value) { m_items.Pen.FillColor = value; }
  TPenStyle PenStyle() const { return m_items.Pen.Style; }  ///< = psSolid
  void SetPenStyle(TPenStyle value);
  std::uint8_t LineWidth() const { return m_items.Pen.Width; }  ///< = 1, pixels
  void SetLineWidth(std::uint8_t value) { m_items.Pen.Width = value; }
  ///@}
  /// 255 is refused (the old class stays).
  ///@{
  std::uint8_t ClassDefault() const { return m_items.Pen.Class; }  ///< = 0
  void SetClassDefault(std::uint8_t value);
  ///@}
  /// Growth step of both lists; values outside 1..1000000 are refused.
  ///@{
  int AllocSize() const { return m_items.AllocSize; }  ///< = 1000
  void SetAllocSize(int value);
  ///@}

  /// pen state that has no published property
  ///@{
  bool AnnotationMode() const { return m_items.AnnotationMode; }  ///< = False: drawing goes to the data list
  void SetAnnotationMode(bool value) { m_items.AnnotationMode = value; }
  int CurrentLayer() const { return m_items.Pen.Layer; }  ///< = 1; layers outside 1..16 are refused
  void SetCurrentLayer(int layer);
  std::int32_t ItemAttribute() const { return m_items.Pen.Attribute; }  ///< = 0, copied into Attr
  void SetItemAttribute(std::int32_t value) { m_items.Pen.Attribute = value; }
  ///@}

  /// the lists, read only: size() of a view is the list's capacity, view[i] item i's record by
  /// value (a zero record from the count on); a view stays valid as long as the chart (or, for
  /// shared data, the list) and reads the list as it is now
  ///@{
  const TGfItemView& DataItems() const { return m_items.Data->Items(); }
  int DataCount() const { return m_items.Data->Count(); }
  const TLongTextArray& DataLongTexts() const { return m_items.Data->LongTexts; }
  int DataLongTextCount() const { return m_items.Data->LongTextCount; }
  const TGfItemView& AnnotationItems() const { return m_items.Annotations.Items(); }
  int AnnotationCount() const { return m_items.Annotations.Count(); }
  const TLongTextArray& AnnotationLongTexts() const { return m_items.Annotations.LongTexts; }
  int AnnotationLongTextCount() const { return m_items.Annotations.LongTextCount; }
  ///@}

  /// Visibility of item classes (separately for data and annotation items) and of layers; an item is
  /// drawn only if its class and its layer are visible. All True after construction. Layers outside
  /// 1..16 read as hidden and are not stored.
  ///@{
  bool DataClassVisible(std::uint8_t itemClass) const { return m_items.DataClassVisible[itemClass]; }
  void SetDataClassVisible(std::uint8_t itemClass, bool visible);
  bool AnnotationClassVisible(std::uint8_t itemClass) const {
    return m_items.AnnotationClassVisible[itemClass];
  }
  void SetAnnotationClassVisible(std::uint8_t itemClass, bool visible);
  bool LayerVisible(int layer) const { return m_items.LayerVisible(layer); }
  void SetLayerVisible(int layer, bool visible);
  ///@}

  /// How the annotation list is drawn relative to the data list.
  ///@{
  bool AnnotationsUnderData() const { return m_items.AnnotationsUnderData; }  ///< = False
  void SetAnnotationsUnderData(bool value) { m_items.AnnotationsUnderData = value; }
  bool ShowAnnotations() const { return m_items.ShowAnnotations; }  ///< = True
  void SetShowAnnotations(bool value) { m_items.ShowAnnotations = value; }
  bool AnnotationTextsOnTop() const { return m_items.AnnotationTextsOnTop; }  ///< = True
  void SetAnnotationTextsOnTop(bool value) { m_items.AnnotationTextsOnTop = value; }
  ///@}

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
  /// The box that confined zooming and panning keep to; all four 0 switches confinement off.
  /// A call with a value that is NaN or infinite is refused (the old box stays).
  ///@{
  void SetConfinement(double xLow, double yLow, double xHigh, double yHigh);
  bool ConfinementActive() const;
  ///@}

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

  /// The zoom history's slots and positions, read only (RecallZoom and PushZoomHistory change it).
  const detail::TZoomHistory& ZoomHistory() const { return m_zoomHistory; }

  // ---------------------------------------------------------------------------------------------
  /// published properties (after construction; "repaints" means repaint-if-automatic)
  ///@{
  bool AutoRedraw() const { return m_autoRedraw; }  ///< = True
  void SetAutoRedraw(bool value) { m_autoRedraw = value; }
  ///@}

  /// Margins of the chart area, pixels, kept within 0..kMaxMargin; each change resizes the chart
  /// image, re-fits isometric layers, updates scale controls and mapping, repaints.
  ///@{
  int MarginLeft() const { return m_marginLeft; }  ///< = 50
  void SetMarginLeft(int value);
  int MarginRight() const { return m_marginRight; }  ///< = 20
  void SetMarginRight(int value);
  int MarginTop() const { return m_marginTop; }  ///< = 20
  void SetMarginTop(int value);
  int MarginBottom() const { return m_marginBottom; }  ///< = 40
  void SetMarginBottom(int value);
  int LRim() const { return m_marginLeft; }
  void SetLRim(int value) { SetMarginLeft(value); }
  int RRim() const { return m_marginRight; }
  void SetRRim(int value) { SetMarginRight(value); }
  int TRim() const { return m_marginTop; }
  void SetTRim(int value) { SetMarginTop(value); }
  int BRim() const { return m_marginBottom; }
  void SetBRim(int value) { SetMarginBottom(value); }
  ///@}

  /// Clamped into 0..32; no isometric re-fit.
  ///@{
  int ShadowWidth() const { return m_shadowWidth; }  ///< = 0, pixels
  void SetShadowWidth(int value);
  TShadowStyle ShadowStyle() const { return m_shadowStyle; }  ///< = ssFlying; repaints
  void SetShadowStyle(TShadowStyle value);
  TColor ShadowColor() const { return m_shadowColor; }  ///< = clGrayText; repaints
  void SetShadowColor(TColor value);
  TColor ShadowBakColor() const { return m_shadowBakColor; }  ///< = clBtnFace; repaints
  void SetShadowBakColor(TColor value);
  ///@}

  /// True: long runs of line-to items drawn with a solid pen in copy mode are painted from block
  /// summaries of the item lists, column by column, giving exactly the pixels of drawing them item
  /// by item at a cost that follows the chart's width rather than the item count; runs of other pens
  /// are read straight from the lists' columns. False draws every item on its own (the reference
  /// the fast paths are checked against). Neither value repaints.
  ///@{
  bool FastLineRuns() const { return m_fastLineRuns; }  ///< = True
  void SetFastLineRuns(bool value) { m_fastLineRuns = value; }
  ///@}

  /// Suppression of marks of the same type drawn within MinDupMarkDist pixels; changes paint at once.
  ///@{
  bool AvoidDuplicateMarks() const { return m_avoidDuplicateMarks; }  ///< = False
  void SetAvoidDuplicateMarks(bool value);
  ///@}
  /// Kept within 1..3; setting the stored value again does nothing.
  ///@{
  int MinDupMarkDist() const { return m_minDupMarkDist; }  ///< = 1, pixels
  void SetMinDupMarkDist(int value);
  ///@}

  /// Setting copies the values in, then repaints.
  ///@{
  TBakGndImg& BackGroundImg() { return m_backGroundImg; }
  const TBakGndImg& BackGroundImg() const { return m_backGroundImg; }
  void SetBackGroundImg(const TBakGndImg& value);
  ///@}

  /// The grid drawn in the chart area.
  ///@{
  GridStyleType GridStyle() const { return m_gridStyle; }  ///< = gsNone; repaints
  void SetGridStyle(GridStyleType value);
  ///@}
  /// Grid steps; a value below -3 (or not finite) is refused, others stored; repaints.
  ///@{
  double GridDx() const { return m_gridDx; }  ///< = 0
  void SetGridDx(double value);
  double GridDy() const { return m_gridDy; }  ///< = 0
  void SetGridDy(double value);
  TColor GridColor() const { return m_gridColor; }  ///< = 0; repaints
  void SetGridColor(TColor value);
  ///@}

  /// Colours of the chart area's frame, the chart area and the control around it.
  ///@{
  TColor ChartFrameColor() const { return m_chartFrameColor; }  ///< = 0; repaints
  void SetChartFrameColor(TColor value);
  TColor ChartColor() const { return m_chartColor; }  ///< = $FFFFFF, chart-area background; repaints
  void SetChartColor(TColor value);
  TColor WindColor() const { return m_windColor; }  ///< = clBtnFace, control background; repaints
  void SetWindColor(TColor value);
  ///@}

  /// The chart caption; every setter repaints.
  const std::string& Caption() const { return m_caption; }  ///< = empty
  /// A caption longer than kMaxCaptionLength bytes is refused with ENoxGrafonError and changes nothing.
  ///@{
  void SetCaption(const std::string& value);
  int CaptionPosX() const { return m_captionPosX; }  ///< = 0, pixels from the anchor
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return m_captionPosY; }  ///< = -16, pixels from the anchor
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return m_captionAlignment; }  ///< = taRightJustify
  void SetCaptionAlignment(TAlignment value);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return m_captionAnchorHoriz; }  ///< = cahChartRight
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value);
  TCaptionAnchorVert CaptionAnchorVert() const { return m_captionAnchorVert; }  ///< = cavChartTop
  void SetCaptionAnchorVert(TCaptionAnchorVert value);
  ///@}
  /// Longest caption as a percentage of the chart width: 0 (no trimming) or 5..100 (clamped).
  ///@{
  int CaptionTrim() const { return m_captionTrim; }  ///< = 100
  void SetCaptionTrim(int value);
  ///@}

  /// Cross hairs 1..4; setting one copies the values in (it keeps notifying this chart), repaints.
  ///@{
  TCrossHair& CrossHair1() { return m_crossHairs[0]; }
  TCrossHair& CrossHair2() { return m_crossHairs[1]; }
  TCrossHair& CrossHair3() { return m_crossHairs[2]; }
  TCrossHair& CrossHair4() { return m_crossHairs[3]; }
  void SetCrossHair1(const TCrossHair& value) { AssignCrossHair(1, value); }
  void SetCrossHair2(const TCrossHair& value) { AssignCrossHair(2, value); }
  void SetCrossHair3(const TCrossHair& value) { AssignCrossHair(3, value); }
  void SetCrossHair4(const TCrossHair& value) { AssignCrossHair(4, value); }
  ///@}
  /// Cross hair 1..4 (any other index gives cross hair 1).
  ///@{
  TCrossHair& CrossHair(int index) { return m_crossHairs[IndexIn(index, kCrossHairCount)]; }
  const TCrossHair& CrossHair(int index) const { return m_crossHairs[IndexIn(index, kCrossHairCount)]; }
  ///@}
  /// Text label 1..50 (any other index gives label 1).
  ///@{
  TTextLabel& TextLabel(int index) { return m_textLabels[IndexIn(index, kTextLabelCount)]; }
  const TTextLabel& TextLabel(int index) const { return m_textLabels[IndexIn(index, kTextLabelCount)]; }
  ///@}

  /// mouse
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
  /// Whether a layer follows the chart-area gestures; layer 1 only after construction.
  ///@{
  bool LayerMouseActive(int layer) const;
  void SetLayerMouseActive(int layer, bool value);
  ///@}

  /// Applies one of the standard layouts (margins, chart caption, scales of layers 1..4; layers
  /// 5..16 hidden); a value outside TgfLayout is ignored.
  ///@{
  TgfLayout StandardLayout() const { return m_standardLayout; }  ///< = gfl_X1Bottom_Y1Left
  void SetStandardLayout(TgfLayout value);
  ///@}

  /// Text settings of new text items. The chart owns its text font; setting it copies the values in.
  ///@{
  TFont& TextFont() { return m_textFont; }
  const TFont& TextFont() const { return m_textFont; }
  void SetTextFont(const TFont& value) { m_textFont.Assign(value); }
  TFontStyles TextFontStyle() const { return m_textFont.Style(); }
  void SetTextFontStyle(TFontStyles value) { m_textFont.SetStyle(value); }
  TTextBkg TextBkStyle() const { return m_textBkStyle; }  ///< = tbClear
  void SetTextBkStyle(TTextBkg value);
  TAlignment TextAlignment() const { return m_textAlignment; }  ///< = taCenter; repaints
  void SetTextAlignment(TAlignment value);
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
  TRectPickState RectPickState() const { return m_mouseState.RectPick; }
  TPoint RectPickFirstCorner() const { return m_mouseState.RectPickFirst; }
  TPoint RectPickSecondCorner() const { return m_mouseState.RectPickSecond; }
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
  /// The radius of OnItemHover, pixels, 0..100 (other values are limited to it).
  ///@{
  int ReadoutRadius() const { return m_readoutRadius; }  ///< = 5
  void SetReadoutRadius(int value);
  ///@}

  // ---------------------------------------------------------------------------------------------
  // wheel and keys (chart/interaction/wheel_and_keys.cpp, view_navigation.cpp)
  //
  // Both move the layers that follow the mouse (LayerMouseActive) through the range-update path, so
  // joins, confinement (a pan is shifted back inside the box, a zoom cut to it), MinRange and the
  // logarithmic rules hold as for the mouse gestures; OnZoomPan fires after each change. A run of
  // wheel turns, or of navigation keys, with no pause over 500 ms between them (by the host's
  // timestamps) is one gesture and leaves one zoom-history snapshot, of its latest view. Neither
  // acts while a mouse gesture is under way (Escape aside).

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
  /// Back to the view as it was before the user's first press, wheel turn or navigation key, with
  /// one zoom-history snapshot; nothing before that.
  void RecallHomeView();
  /// Recalls the snapshot one step further back than the last call did, as long as nothing has been
  /// recorded since (otherwise the one before the newest). False, and nothing changes, when there
  /// is none further back (fifteen steps, or a slot never recorded).
  bool StepBackInHistory();

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

  // ---------------------------------------------------------------------------------------------
  /// events (called only when assigned; Sender is the chart)
  TMouseMoveInChartEvent OnMouseMoveInChart;
  /// After a mouse move, when the point nearest the pointer within ReadoutRadius changes (to none
  /// as well, also when the pointer leaves the chart area); searched only while assigned.
  ///@{
  TItemHoverEvent OnItemHover;
  TSelectRectEvent OnRubberBand;
  TSelectRectEvent OnSelectRect;
  TZoomPanEvent OnZoomPan;
  TScaleTickDrawnEvent OnScaleTickDrawn;    ///< relayed from the scale controls
  TBeforeTickLabelEvent OnBeforeTickLabel;  ///< relayed from the scale controls
  TBeforeCrossHMoveEvent OnBeforeCrossHairMove;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;
  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TRenderEvent OnScalesRendered;
  TBeforeRenderCItemEvent OnBeforeRenderChartItem;
  TBeforeRenderTextEvent OnBeforeRenderText;
  ///@}

 protected:
  void CreateWnd() override;           ///< resizes the images and lets the chart paint
  void DeviceScaleChanged() override;  ///< composes the images again at the new scale

  /// Puts every setting to its value after construction; run once by the constructor.
  void Setup();

  /// After a removal from a list: repaints this chart and every chart sharing its data.
  void ItemsRemoved();

  /// append operations: every single-point drawing operation goes through one of them
  ///@{
  void AppendMoveTo(std::uint8_t mode, double x, double y);
  void AppendLineTo(std::uint8_t mode, double x, double y);
  void AppendMark(std::uint8_t markType, double x, double y);
  ///@}

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
  void SetImageDevice(double scale, int printerPixelsPerInchY);

  /// For the item kinds that have no drawing operation of their own: appends a complete record to
  /// the list the drawing operations write to (in the data list with CoordMode 0, as every data
  /// item), and stores long-text entry index (1..50; false and nothing stored outside) of that list.
  ///@{
  void AppendChartItem(const TgfChartItem& item) {
    TgfChartItem record = item;
    if (!m_items.AnnotationMode) record.CoordMode = 0;
    m_items.Append(record, item.CoordMode);
  }
  bool SetLongText(int index, std::string text) { return m_items.SetLongText(index, std::move(text)); }
  ///@}

  /// off-screen images: the chart area, the whole control, the background picture
  ///@{
  TBitmap& ChartImage() { return m_chartImage; }
  TBitmap& ControlImage() { return m_controlImage; }
  TBitmap& BackgroundPicture() { return m_backgroundPicture; }
  ///@}

  /// A layer's world-to-pixel map of each axis (a layer outside 1..16 gives layer 1's).
  ///@{
  const detail::TAxisMapping& MappingX(int layer) const { return m_mapping.X(LayerIndex(layer)); }
  const detail::TAxisMapping& MappingY(int layer) const { return m_mapping.Y(LayerIndex(layer)); }
  ///@}
  /// The pixel aspect read from the host at construction (AspX, AspY; 1:1 when the host reports
  /// something unusable).
  ///@{
  int DeviceAspectX() const { return m_aspectX; }
  int DeviceAspectY() const { return m_aspectY; }
  ///@}

  /// The state of the mouse gesture under way, and the freehand trace drawn so far.
  ///@{
  detail::TMouseState& MouseState() { return m_mouseState; }
  std::vector<TMouseTracePoint>& MouseTrace() { return m_mouseTrace; }
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
  void CopyToScreen(int x, int y, const TBitmap& image);

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

  /// Holds painting back for the lifetime of an operation that changes many things. Release
  /// restores the remembered value (repainting if that releases painting); when an error leaves the
  /// scope early the value is restored without painting.
  class TPaintHold {
   public:
    explicit TPaintHold(TCustomGrafon& chart);
    ~TPaintHold();
    TPaintHold(const TPaintHold&) = delete;
    TPaintHold& operator=(const TPaintHold&) = delete;
    void Release();
    void RestoreQuietly();

   private:
    TCustomGrafon& m_chart;
    bool m_previous;
    bool m_done = false;
  };

  /// Collects the property objects' change notifications of a bulk change into one ScaleChanged,
  /// run by Finish when the outermost batch ends; Finish says whether it ran (ScaleChanged repaints).
  class TScaleChangeBatch {
   public:
    explicit TScaleChangeBatch(TCustomGrafon& chart);
    ~TScaleChangeBatch();
    TScaleChangeBatch(const TScaleChangeBatch&) = delete;
    TScaleChangeBatch& operator=(const TScaleChangeBatch&) = delete;
    bool Finish();

   private:
    TCustomGrafon& m_chart;
    bool m_done = false;
  };

  static std::size_t LayerIndex(int layer) {
    return layer >= 1 && layer <= kLayerCount ? static_cast<std::size_t>(layer - 1) : 0;
  }
  static std::size_t IndexIn(int index, int count) {
    return index >= 1 && index <= count ? static_cast<std::size_t>(index - 1) : 0;
  }
  bool CanPaint() const;
  /// From now on the axis property objects check a switch to logarithmic.
  ///@{
  void EndLoadingGuards();
  void ClearEvents();
  ///@}

  /// data sharing
  ///@{
  void AskTiedChartsToRepaint();
  void LeaveDataOwner();
  void ReleaseDataUsers();
  ///@}

  /// ranges
  bool StoreAxisRequest(TScaleProps& props, long double low, long double high);
  /// After a stored form was read: a joined axis the form gave no range for takes its controller's
  /// range, as when the join is made (no history); the ranges the form gave stay as written.
  ///@{
  void FollowJoinsWithoutStoredRange();
  void FitIsometric(int layer);
  bool IsPanning(bool xAxis) const;
  ///@}
  /// How confinement treats the range requests being made: as MouseAction says (the mouse
  /// gestures), or as a pan or a zoom whatever it says (the wheel and the keys).
  enum TConfineAs : std::uint8_t { caMouseAction, caPan, caZoom };
  /// All 16 layers' ranges now, as a zoom snapshot holds them.
  detail::TZoomSnapshot CurrentRanges() const;

  /// scale controls
  ///@{
  void PrepareScaleControl(TScale& scale, bool xAxis);
  void WireScaleControl(TScale& scale);
  void SetScaleControlMargins(int layer);
  ///@}
  /// A scale control's margin at the right (bottom) end: its axis ends on the chart area's last
  /// column (row), just inside the shadow.
  ///@{
  int ScaleMarginRight() const { return m_marginRight + m_shadowWidth - 1; }
  int ScaleMarginBottom() const { return m_marginBottom + m_shadowWidth - 1; }
  void PushAllScaleProps();
  void AssignScaleProps(TScaleProps& target, const TScaleProps& value);
  void AssignCrossHair(int index, const TCrossHair& value);
  void InitCrossHairsAndLabels();
  ///@}

  /// geometry
  /// The control's size, margins and shadow, as the mapping and the mouse handling see them.
  ///@{
  detail::TChartFrame ChartFrame() const;
  enum TMarginSide : std::uint8_t { mgLeft, mgRight, mgTop, mgBottom };
  void ResizeChartImage(bool width, bool height);
  void MarginChanged(TMarginSide side);
  ///@}

  /// painting
  ///@{
  void DrawCaption(TCanvas& canvas);
  void PaintScales(TCanvas& canvas);
  void ComposeControlImage();
  ///@}
  /// Composes the control image again while an event handler asked for a repaint during the last
  /// pass, a few passes at most; returns whether any handler asked.
  ///@{
  bool ComposeSettled();
  void RefreshChartArea();
  ///@}

  /// --- rendering: the item renderer (render_data.cpp, item_render.h) ---
  detail::TLayerPixelTable LayerPixelTable() const;
  /// Draws the visible items of a list whose stored kind `select` accepts.
  ///@{
  void RenderItemList(detail::TItemRenderer& renderer, const detail::TItemList& list, bool isAnnotation,
                      bool (*select)(std::uint8_t));
  void RenderAnnotations(detail::TItemRenderer& renderer);
  ///@}

  /// --- background, grid, text labels, cross hairs and mouse trace ---
  /// (background.cpp, grid.cpp, text_labels_draw.cpp, cross_hairs_draw.cpp, mouse_trace_draw.cpp,
  /// shifted_pixel.cpp)
  /// The canvas pixel of a world point of a layer: its control pixel, each coordinate limited to
  /// -30000..30000 as item pixels are, moved by (dx, dy) (the sum saturating at the int range).
  TPoint ShiftedPixel(int layer, double x, double y, int dx, int dy) const;
  /// Loads the background picture and draws it into area; false when the file cannot be loaded.
  bool DrawBackgroundPicture(TCanvas& canvas, const TRect& area);
  /// Decodes the background picture file into m_backgroundPicture unless it holds that file as it
  /// is now; throws what loading throws.
  ///@{
  void LoadBackgroundPicture();
  void DrawBackgroundArea(TCanvas& canvas, const TRect& area);
  void DrawTextLabel(TCanvas& canvas, const TTextLabel& label, int offsetX, int offsetY);
  void DrawCrossHair(TCanvas& canvas, const TCrossHair& hair, int x, int y);
  ///@}

  /// --- mouse (chart/interaction/) ---
  bool InChartArea(int x, int y) const { return detail::InChartArea(ChartFrame(), x, y); }
  /// The pixel a logarithmic axis of layer index 0..15 gives values it cannot show (<= 1e-100): the
  /// left (bottom) edge of the control, or the right (top) one when the axis is reversed.
  ///@{
  int BelowLogPixelX(std::size_t index) const;
  int BelowLogPixelY(std::size_t index) const;
  ///@}
  /// Fire OnItemHover if the point under the pointer at (x, y), or the given one, is not the one
  /// reported last.
  ///@{
  void ReportItemHover(int x, int y);
  void ReportItemHover(const std::optional<TgfItemHit>& hit);
  void HandleMouseMove(TShiftState shift, int x, int y);
  void RecordDragStart(int x, int y);
  ///@}
  /// Whether a drag under way has moved any layer's ranges from where it started.
  ///@{
  bool DragMovedRanges() const;
  void EndDrag();
  void ShowMousePosition(int x, int y);
  ///@}
  /// scales: the layer of the vertical scale hit, minus the layer of the horizontal one, or 0
  int ScaleHitTest(int x, int y) const;
  /// The PopupMenu of the hosted scale whose band holds mousePos, if it has one; else the chart's.
  ///@{
  TPopupMenu* PopupMenuAt(TPoint mousePos) const override;
  void DragScales(bool left, int x, int y);
  void ToggleScaleAction(int x, int y);
  ///@}
  /// chart-area gestures; a step may clamp (x, y) for the later steps of the same move
  /// The common start of the pan and zoom-drag steps: a release ends the drag, the first move records
  /// where it starts; true when the ranges are to follow the pointer at (x, y).
  ///@{
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
  ///@}
  /// A press, a move with a button held, a zoom window or rectangle pick: a gesture is under way.
  ///@{
  bool GestureUnderWay(TShiftState shift) const;
  void TakeRightClickOfGesture(TMouseButton button, TShiftState shift);
  ///@}
  /// wheel and keys (interaction/view_navigation.cpp)
  void NoteHomeView();
  /// Each layer that follows the mouse moved by steps x its view (PanAxis), or scaled by factor
  /// about the world point under the pixel `at` (none: each axis' centre); true when a range changed.
  ///@{
  bool PanView(long double stepsX, long double stepsY);
  bool ZoomView(long double factor, std::optional<TPoint> at, bool zoomX, bool zoomY);
  ///@}
  /// The snapshot of a wheel or key step: a new one, or the gesture's own one brought up to date.
  ///@{
  void RecordNavigation(detail::TNavigationSource source);
  bool NavigateByKey(std::uint16_t key);
  ///@}
  /// rubber figures on the screen image
  ///@{
  void XorRubberFigure(const detail::TXorFigure& figure);
  void EraseRubberFiguresIfIdle();
  void EraseRubberFigures();
  ///@}

  detail::TItemStore m_items;

  /// --- data sharing ---
  ///@{
  TCustomGrafon* m_useDataOf = nullptr;                     ///< the chart whose data this one shows
  std::array<TCustomGrafon*, kMaxDataUsers> m_dataUsers{};  ///< charts showing this one's data
  int m_dataUserCount = 0;
  ///@}

  /// --- layers ---
  ///@{
  std::array<TScalePropsHoriz, kLayerCount> m_propsX;
  std::array<TScalePropsVert, kLayerCount> m_propsY;
  std::array<std::unique_ptr<TScale>, kLayerCount> m_scaleX;
  std::array<std::unique_ptr<TScale>, kLayerCount> m_scaleY;
  detail::TLayerMapping m_mapping;
  TJointLayers m_jointLayers;
  detail::TZoomHistory m_zoomHistory;
  detail::TConfinementBox m_confinement;
  bool m_isometric = false;
  int m_aspectX = 36;  ///< pixel aspect of the screen
  int m_aspectY = 36;
  ///@}

  /// --- control settings ---
  ///@{
  bool m_autoRedraw = true;
  int m_marginLeft = 50;    ///< pixels
  int m_marginRight = 10;   ///< pixels
  int m_marginTop = 16;     ///< pixels
  int m_marginBottom = 32;  ///< pixels
  int m_shadowWidth = 0;    ///< pixels, 0..32
  TShadowStyle m_shadowStyle = ssFlying;
  TColor m_shadowColor = clGrayText;
  TColor m_shadowBakColor = clBtnFace;
  bool m_avoidDuplicateMarks = false;
  int m_minDupMarkDist = 1;    ///< pixels, 1..3
  bool m_fastLineRuns = true;  ///< line-to runs drawn from block summaries
  TBakGndImg m_backGroundImg;
  GridStyleType m_gridStyle = gsNone;
  double m_gridDx = 0;
  double m_gridDy = 0;
  TColor m_gridColor = 0;
  TColor m_chartFrameColor = 0;
  TColor m_chartColor = 0xFFFFFF;
  TColor m_windColor = clBtnFace;
  std::string m_caption;
  int m_captionPosX = 0;
  int m_captionPosY = -16;
  TAlignment m_captionAlignment = taRightJustify;
  TCaptionAnchorHoriz m_captionAnchorHoriz = cahChartRight;
  TCaptionAnchorVert m_captionAnchorVert = cavChartTop;
  int m_captionTrim = 100;  ///< 0 or 5..100, percent
  std::array<TCrossHair, kCrossHairCount> m_crossHairs;
  std::array<TTextLabel, kTextLabelCount> m_textLabels;
  TMouseActMode m_mouseAction = maNone;
  bool m_mouseCursorFixed = true;
  TColor m_mouseTraceColor = 0xFFFFFF;
  bool m_mouseTraceInvert = true;
  double m_panGridDx = 1.0;
  double m_panGridDy = 1.0;
  double m_panGridOffsX = 0.0;
  double m_panGridOffsY = 0.0;
  std::array<bool, kLayerCount> m_layerMouseActive{true};  ///< layer 1 only
  TgfLayout m_standardLayout = gfl_X1Bottom_Y1Left;
  TFont m_textFont;
  TTextBkg m_textBkStyle = tbClear;
  TAlignment m_textAlignment = taCenter;
  ///@}

  /// --- mouse ---
  ///@{
  detail::TMouseState m_mouseState;
  std::vector<TMouseTracePoint> m_mouseTrace;  ///< at most kMaxTracePoints
  detail::TXorOverlay m_rubberFigures;         ///< rubber figures on the screen image now
  bool m_wheelZoom = false;
  int m_readoutRadius = 5;
  std::optional<TgfItemHit> m_hover;  ///< the point OnItemHover last reported
  bool m_keyNavigation = true;
  TConfineAs m_confineAs = caMouseAction;
  detail::TNavigationGesture m_navigation;          ///< the wheel or key gesture under way
  detail::THistoryMark m_backMark;                  ///< the history as the last step back left it
  int m_backStep = 0;                               ///< ... and how far back that step went
  std::optional<detail::TZoomSnapshot> m_homeView;  ///< the view before the user first moved it
  ///@}

  /// --- painting ---
  ///@{
  TBitmap m_chartImage;                         ///< the chart area
  TBitmap m_controlImage;                       ///< the whole control, composed before it reaches the screen
  TBitmap m_backgroundPicture;                  ///< the background picture file, decoded when it has changed
  std::optional<TFileStamp> m_backgroundStamp;  ///< the file as it was decoded; none: nothing decoded
  bool m_paintSuspended = true;                 ///< nothing paints while set
  double m_imageScale = 1.0;                    ///< device scale of the off-screen images
  bool m_composing = false;                     ///< a picture is being composed: repaints are only remembered
  bool m_settingLayout = false;                 ///< a layout sets its margins: images and scales follow
  bool m_repaintAsked = false;                  ///< a repaint was asked for while composing
  int m_scaleChangeDepth = 0;                   ///< open TScaleChangeBatch scopes
  bool m_scaleChangePending = false;
  ///@}

  /// --- rendering ---
  detail::TRenderState m_renderState;  ///< the item renderer's attribute cache, polyline, mark map
};

/// The chart control as placed on a form.
class TGrafon : public TCustomGrafon {
 public:
  explicit TGrafon(TComponent* owner) : TCustomGrafon(owner) {}  ///< as TCustomGrafon's
  std::string_view ClassName() const override { return "TGrafon"; }  ///< the class's name
};

}  // namespace nox
