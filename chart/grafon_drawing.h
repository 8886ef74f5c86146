#pragma once
// The chart's drawing surface: the drawing operations (points, series, one typed operation for each
// item kind), removal, the pen that new items take, the read-only views of the two lists, the
// visibility tables and the text settings of new text items. It owns the item store
// (model/item_store.h); the control shows the lists (ShowItems) and repaints when told to.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "base/Nox_noxbase.h"
#include "chart/grafon_types.h"
#include "chart/model/chart_item.h"
#include "chart/model/item_list.h"
#include "chart/model/item_store.h"
#include "platform/font.h"

namespace nox {

/// The drawing surface of the chart, a part of TCustomGrafon.
///
/// Items copy the current pen when they are added; nothing is drawn until ShowItems (or the next
/// paint). In the data list the integer forms take world coordinates (CoordMode 0); in annotation
/// mode MoveToPoint records both coordinates as chart-area pixels (CoordMode 1) and LineToPoint
/// x as pixels and y as world units (CoordMode 4). A chart that uses another chart's data adds
/// to the shared list, which every chart sharing it shows at once.
class TGrafonDrawing {
 public:
  /// Points: the integer forms of the drawing operations.
  ///@{
  void MoveToPoint(int x, int y);
  void LineToPoint(int x, double y);
  ///@}
  /// markType is taken as a byte: the mark symbols are numbered 0..255.
  void AddMark(int markType, double x, double y);

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

 protected:
  ~TGrafonDrawing() = default;  ///< owned as a part of the control only

  /// What the control does after a change: repaints this chart and every chart sharing its data
  /// (ItemsRemoved, after a removal from a list), or repaints if automatic (PictureChanged).
  ///@{
  virtual void ItemsRemoved() = 0;
  virtual void PictureChanged() = 0;
  ///@}

  /// append operations: every single-point drawing operation goes through one of them
  ///@{
  void AppendMoveTo(std::uint8_t mode, double x, double y);
  void AppendLineTo(std::uint8_t mode, double x, double y);
  void AppendMark(std::uint8_t markType, double x, double y);
  ///@}

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

  /// The item store (lists, pen, visibility tables) and the text settings of new text items.
  ///@{
  detail::TItemStore m_items;
  TFont m_textFont;
  TTextBkg m_textBkStyle = tbClear;
  TAlignment m_textAlignment = taCenter;
  ///@}
};

}  // namespace nox
