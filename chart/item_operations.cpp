// The typed drawing operations: one call for each item kind, filling the record as the kind's
// drawing reads it, with the current pen. Every check comes before the record is appended, so a
// refused call adds nothing.

#include <cmath>
#include <initializer_list>
#include <string>

#include "chart/grafon_drawing.h"
#include "chart/model/grafon_error.h"

namespace nox {
namespace {

// Arc angles are stored as integers of 1e-8 radians; 21 radians is the largest whole value whose
// code fits the record's 32-bit field.
constexpr double kArcAngleScale = 1e8;
constexpr double kMaxArcAngle = 21;

void RequireFinite(std::initializer_list<double> values) {
  for (const double value : values)
    if (!std::isfinite(value)) throw ENoxGrafonError("Grafon: item coordinates must be finite numbers");
}

// The two points (or a point and its extents) an item is drawn from.
struct TItemPoints {
  double X1, Y1, X2 = 0, Y2 = 0;
};

// The pen's record of kind at points, in mode; lastMode is the last mode the kind takes.
TgfChartItem NewItem(const detail::TItemStore& store, TgfItemKind kind, TItemPoints at, TgfCoordMode mode = cmWorld,
                     TgfCoordMode lastMode = cmWorld) {
  if (mode > lastMode)
    throw ENoxGrafonError("Grafon: coordinate mode " + std::to_string(mode) + " does not apply to this item kind");
  if (mode != cmWorld && !store.AnnotationMode)
    throw ENoxGrafonError("Grafon: pixel coordinates are for annotations only");
  RequireFinite({at.X1, at.Y1, at.X2, at.Y2});
  TgfChartItem item = store.PenItem(kind, at.X1, at.Y1);
  item.X2 = at.X2;
  item.Y2 = at.Y2;
  return item;
}

// Brush clear: the shape is drawn as an outline (also an open arrow head).
TgfChartItem Outlined(TgfChartItem item) {
  item.Flag = 1;
  return item;
}

// A text item takes the chart's current text settings: TextFont's size, TextBkStyle, TextAlignment.
TgfChartItem WithTextSettings(TgfChartItem item, const TFont& font, TTextBkg background, TAlignment alignment) {
  item.Param1 = font.Size();
  item.Param2 = background == tbSolid ? 1 : 0;
  item.Param3 = alignment;
  return item;
}

}  // namespace

void TGrafonDrawing::AddLine(double x1, double y1, double x2, double y2, TgfCoordMode mode) {
  m_items.Append(NewItem(m_items, ikLine, {x1, y1, x2, y2}, mode, cmFirstPixels), mode);
}

void TGrafonDrawing::AddRect(double x1, double y1, double x2, double y2, TgfCoordMode mode) {
  m_items.Append(Outlined(NewItem(m_items, ikRect, {x1, y1, x2, y2}, mode, cmFirstPixels)), mode);
}

void TGrafonDrawing::AddFilledRect(double x1, double y1, double x2, double y2, TgfCoordMode mode) {
  m_items.Append(NewItem(m_items, ikRect, {x1, y1, x2, y2}, mode, cmFirstPixels), mode);
}

void TGrafonDrawing::AddFrame3D(double x1, double y1, double x2, double y2, TFrameStyle style, TColor color1,
                                TColor color2, TgfCoordMode mode) {
  if (style > fsEngraved) throw ENoxGrafonError("Grafon: unknown frame style " + std::to_string(style));
  TgfChartItem item = NewItem(m_items, ikFrame3D, {x1, y1, x2, y2}, mode, cmFirstPixels);
  item.Style = style;
  item.FrameColor1 = color1;
  item.FrameColor2 = color2;
  m_items.Append(item, mode);
}

void TGrafonDrawing::AddArrow(double x1, double y1, double x2, double y2, int headLength, TArrowHead head,
                              TgfCoordMode mode) {
  TgfChartItem item = NewItem(m_items, ikArrow, {x1, y1, x2, y2}, mode, cmPixelY);
  item.Param1 = headLength;
  m_items.Append(head == ahOpen ? Outlined(item) : item, mode);
}

void TGrafonDrawing::AddArrowBoth(double x1, double y1, double x2, double y2, int headLength, TArrowHead head,
                                  TgfCoordMode mode) {
  TgfChartItem item = NewItem(m_items, ikArrowBoth, {x1, y1, x2, y2}, mode, cmPixelY);
  item.Param1 = headLength;
  m_items.Append(head == ahOpen ? Outlined(item) : item, mode);
}

void TGrafonDrawing::AddBar3D(double x1, double y1, double x2, double y2, int angle, int depth) {
  TgfChartItem item = NewItem(m_items, ikBar3D, {x1, y1, x2, y2});
  item.Param1 = angle;
  item.Param2 = depth;
  m_items.Append(item, cmWorld);
}

void TGrafonDrawing::AddEllipse(double x, double y, double rx, double ry) {
  m_items.Append(Outlined(NewItem(m_items, ikEllipse, {x, y, rx, ry})), cmWorld);
}

void TGrafonDrawing::AddFilledEllipse(double x, double y, double rx, double ry) {
  m_items.Append(NewItem(m_items, ikEllipse, {x, y, rx, ry}), cmWorld);
}

void TGrafonDrawing::AddArc(double x, double y, double rx, double ry, double fromAngle, double toAngle) {
  RequireFinite({fromAngle, toAngle});
  if (std::abs(fromAngle) > kMaxArcAngle || std::abs(toAngle) > kMaxArcAngle)
    throw ENoxGrafonError("Grafon: arc angles lie within -21..21 radians");
  TgfChartItem item = NewItem(m_items, ikArc, {x, y, rx, ry});
  item.Param1 = static_cast<std::int32_t>(std::lround(fromAngle * kArcAngleScale));
  item.Param2 = static_cast<std::int32_t>(std::lround(toAngle * kArcAngleScale));
  m_items.Append(item, cmWorld);
}

void TGrafonDrawing::AddWorldLine(double x1, double y1, double x2, double y2, int shiftX, int shiftY) {
  TgfChartItem item = NewItem(m_items, ikWorldLine, {x1, y1, x2, y2});
  item.Param1 = shiftX;
  item.Param2 = shiftY;
  m_items.Append(item, cmWorld);
}

void TGrafonDrawing::AddErrorBars(double x, double y, double below, double above, bool horizontal, int markType) {
  if (markType < 0 || markType > 255)
    throw ENoxGrafonError("Grafon: mark types lie within 0..255, not " + std::to_string(markType));
  TgfChartItem item = NewItem(m_items, ikErrorBars, {x, y, below, above});
  item.Param1 = horizontal ? 1 : 0;
  item.Param3 = markType;
  m_items.Append(item, cmWorld);
}

void TGrafonDrawing::AddPixelRect(double x, double y, int halfWidth, int halfHeight) {
  TgfChartItem item = Outlined(NewItem(m_items, ikPixelRect, {x, y}));
  item.Param1 = halfWidth;
  item.Param2 = halfHeight;
  m_items.Append(item, cmWorld);
}

void TGrafonDrawing::AddFilledPixelRect(double x, double y, int halfWidth, int halfHeight) {
  TgfChartItem item = NewItem(m_items, ikPixelRect, {x, y});
  item.Param1 = halfWidth;
  item.Param2 = halfHeight;
  m_items.Append(item, cmWorld);
}

void TGrafonDrawing::AddDeltaLine(double x, double y, double dx, double dy) {
  m_items.Append(NewItem(m_items, ikDeltaLine, {x, y, dx, dy}), cmWorld);
}

void TGrafonDrawing::AddCrossMark(double x, double y, double hx, double hy, TgfCoordMode mode) {
  m_items.Append(NewItem(m_items, ikCrossMark, {x, y, hx, hy}, mode, cmFirstWorld), mode);
}

void TGrafonDrawing::AddVertLine(double x, TgfCoordMode mode) {
  m_items.Append(NewItem(m_items, ikVertLine, {x, 0}, mode, cmPixels), mode);
}

void TGrafonDrawing::AddHorizLine(double y, TgfCoordMode mode) {
  m_items.Append(NewItem(m_items, ikHorizLine, {0, y}, mode, cmPixels), mode);
}

void TGrafonDrawing::AddMoveRel(double dx, double dy) {
  TgfChartItem item = NewItem(m_items, ikMoveRel, {dx, dy});
  item.FillColor = 0;  // a move draws nothing, as a move-to
  m_items.Append(item, cmWorld);
}

void TGrafonDrawing::AddLineRel(double dx, double dy) {
  m_items.Append(NewItem(m_items, ikLineRel, {dx, dy}), cmWorld);
}

void TGrafonDrawing::AddText(double x, double y, std::string_view text, TgfCoordMode mode) {
  const TgfChartItem item = NewItem(m_items, ikText, {x, y}, mode, cmPixelY);
  m_items.AppendText(WithTextSettings(item, m_textFont, m_textBkStyle, m_textAlignment), text, mode);
}

void TGrafonDrawing::AddTextOffset(double x, double y, double dx, double dy, std::string_view text) {
  const TgfChartItem item = NewItem(m_items, ikTextOffset, {x, y, dx, dy});
  m_items.AppendText(WithTextSettings(item, m_textFont, m_textBkStyle, m_textAlignment), text, cmWorld);
}

}  // namespace nox
