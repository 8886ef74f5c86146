// The item renderer's core: which items can be drawn, the attribute cache, coordinate resolution,
// the polyline buffer and the dispatch to the kinds.

#include "chart/render/item_render.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <vector>

#include "chart/Nox_grafon.h"

namespace nox::detail {

namespace {

// Which of an item's coordinates a kind reads, and the largest CoordMode it lists (255: the kind
// ignores CoordMode or takes every value).
struct TKindInputs {
  bool X1 = false, Y1 = false, X2 = false, Y2 = false;
  int MaxCoordMode = 255;
};

constexpr TKindInputs InputsOf(std::uint8_t kind) {
  constexpr TKindInputs onePoint{true, true, false, false, 5};
  constexpr TKindInputs twoPoints{true, true, true, true, 3};
  constexpr TKindInputs anyModePair{true, true, true, true, 255};
  constexpr TKindInputs anyModePoint{true, true, false, false, 255};
  switch (kind) {
    case ikMark:
    case ikPixelRect:
    case ikMoveRel:
    case ikLineRel:
      return anyModePoint;
    case ikLineTo:
    case ikText:
    case ikMoveTo:
      return onePoint;
    case ikLine:
    case ikRect:
    case ikFrame3D:
      return twoPoints;
    case ikArrow:
    case ikArrowBoth:
      return {true, true, true, true, 5};
    case ikCrossMark:
      return {true, true, true, true, 2};
    case ikVertLine:
      return {true, false, false, false, 3};
    case ikHorizLine:
      return {false, true, false, false, 3};
    case ikBar3D:
    case ikEllipse:
    case ikTextOffset:
    case ikErrorBars:
    case ikWorldLine:
    case ikArc:
    case ikDeltaLine:
      return anyModePair;
    default:
      return {};
  }
}

}  // namespace

bool ClampPixel(int& x, int& y) {
  const int cx = ClampCoordinate(x), cy = ClampCoordinate(y);
  const bool changed = cx != x || cy != y;
  x = cx;
  y = cy;
  return changed;
}

TItemRenderer::TItemRenderer(TCustomGrafon& chart, const TRenderTarget& target,
                             const TLayerPixelTable& layers, TRenderState& state)
    : m_chart(chart),
      m_canvas(*target.Canvas),
      m_target(target),
      m_layers(layers),
      m_state(state),
      m_width(chart.Width()),
      m_height(chart.Height()),
      m_marginLeft(chart.MarginLeft()),
      m_marginRight(chart.MarginRight()),
      m_marginTop(chart.MarginTop()),
      m_marginBottom(chart.MarginBottom()),
      m_shiftX(std::int64_t{target.OffsetX} - chart.MarginLeft()),
      m_shiftY(std::int64_t{target.OffsetY} - chart.MarginTop()),
      m_avoidDuplicateMarks(chart.AvoidDuplicateMarks()),
      m_printer(target.Canvas->IsPrinter()) {}

// --- attribute cache ---

void TItemRenderer::SetPenColor(TColor color) {
  if (color == m_state.CurrentPenColor) return;
  m_canvas.Pen().SetColor(color);
  m_state.CurrentPenColor = color;
}

void TItemRenderer::SetPenStyle(TPenStyle style) {
  if (style == m_state.CurrentPenStyle) return;
  m_canvas.Pen().SetStyle(style);
  m_state.CurrentPenStyle = style;
}

void TItemRenderer::SetBrushColor(TColor color) {
  if (color == m_state.CurrentBrushColor) return;
  m_canvas.Brush().SetColor(color);
  m_state.CurrentBrushColor = color;
}

void TItemRenderer::SetFontColor(TColor color) {
  if (color == m_state.CurrentFontColor) return;
  m_canvas.Font().SetColor(color);
  m_state.CurrentFontColor = color;
}

void TItemRenderer::SetFillBrush(TColor color, bool clear) {
  if (clear) {
    m_canvas.Brush().SetStyle(bsClear);
  } else {
    // Setting the colour also makes a clear brush solid again.
    m_canvas.Brush().SetColor(color);
  }
  m_state.CurrentBrushColor = m_canvas.Brush().Color();
}

void TItemRenderer::SetLineAttributes(const TgfChartItem& item) {
  SetPenColor(PenOf(item));
  SetPenStyle(item.PenStyle);
  SetBrushColor(item.FillColor);
}

// --- coordinates ---

TPoint TItemRenderer::ResolveOnePoint(const TgfChartItem& item, const TLayerPixels& layer) const {
  switch (item.CoordMode) {
    case 1:
    case 3:
      return {PixelCoordinate(item.X1, 0), PixelCoordinate(item.Y1, 0)};
    case 4:
      return {PixelCoordinate(item.X1, 0), WorldY(layer, item.Y1)};
    case 5:
      return {WorldX(layer, item.X1), PixelCoordinate(item.Y1, 0)};
    default:  // 0 and 2
      return World(layer, item.X1, item.Y1);
  }
}

bool TItemRenderer::BoxPixels(const TLayerPixels& layer, const TSummaryBox& box, TPixelBox& out) const {
  return AxisSpanPixels(layer.X, layer.LogX, layer.BelowX, m_shiftX, box.MinX, box.MaxX, out.X0, out.X1) &&
         AxisSpanPixels(layer.Y, layer.LogY, layer.BelowY, m_shiftY, box.MinY, box.MaxY, out.Y0, out.Y1);
}

void TItemRenderer::ColumnWorldSpan(const TLayerPixels& layer, int column, double& lo, double& hi) {
  const int columns = m_canvas.Target().Width();
  const std::ptrdiff_t index = &layer - m_layers.data();
  if (column < 0 || column >= columns || index < 0 || index >= std::ssize(m_layers)) {
    FindColumnWorldSpan(layer, column, lo, hi);
    return;
  }
  // One table per layer, so that series on several layers in turn do not find theirs again; a
  // handler may have resized the image since the table was made.
  std::vector<std::array<double, 2>>& spans = m_columnSpans[static_cast<std::size_t>(index)];
  if (spans.size() != static_cast<std::size_t>(columns)) {
    spans.assign(static_cast<std::size_t>(columns), {std::nan(""), 0});
  }
  std::array<double, 2>& span = spans[static_cast<std::size_t>(column)];
  if (std::isnan(span[0])) FindColumnWorldSpan(layer, column, span[0], span[1]);
  lo = span[0], hi = span[1];
}

void TItemRenderer::FindColumnWorldSpan(const TLayerPixels& layer, int column, double& lo, double& hi) const {
  lo = 1, hi = 0;
  if (layer.X.k == 0) return;  // every x maps to one pixel: nothing to invert
  // The world values a little inside the column's two rounding ties, by the inverse map in double;
  // mapping them back decides, so that the inverse need not be exact.
  const double p = static_cast<double>(column - m_shiftX);
  const auto world = [&](double pixel) {
    const double t = (pixel - layer.X.o) / layer.X.k;
    return layer.LogX ? std::exp(t) : t;
  };
  const double a = world(p - 0.499), b = world(p + 0.499);
  const double from = std::min(a, b), to = std::max(a, b);
  if (!std::isfinite(from) || !std::isfinite(to)) return;
  int p0, p1;
  if (AxisSpanPixels(layer.X, layer.LogX, layer.BelowX, m_shiftX, from, to, p0, p1) && p0 == column &&
      p1 == column) {
    lo = from, hi = to;
  }
}

void TItemRenderer::ResolveTwoPoints(const TgfChartItem& item, const TLayerPixels& layer, bool offset,
                                     TPoint& a, TPoint& b) const {
  const int ox = offset ? m_target.OffsetX : 0;
  const int oy = offset ? m_target.OffsetY : 0;
  const auto pixels = [&](double x, double y) {
    return TPoint{PixelCoordinate(x, ox), PixelCoordinate(y, oy)};
  };
  switch (item.CoordMode) {
    case 1:
      a = pixels(item.X1, item.Y1);
      b = pixels(item.X2, item.Y2);
      break;
    case 2:
      a = World(layer, item.X1, item.Y1);
      b = pixels(item.X2, item.Y2);
      break;
    case 3:
      a = pixels(item.X1, item.Y1);
      b = World(layer, item.X2, item.Y2);
      break;
    case 4:  // x of both points in pixels
      a = {PixelCoordinate(item.X1, ox), WorldY(layer, item.Y1)};
      b = {PixelCoordinate(item.X2, ox), WorldY(layer, item.Y2)};
      break;
    case 5:  // y of both points in pixels
      a = {WorldX(layer, item.X1), PixelCoordinate(item.Y1, oy)};
      b = {WorldX(layer, item.X2), PixelCoordinate(item.Y2, oy)};
      break;
    default:
      a = World(layer, item.X1, item.Y1);
      b = World(layer, item.X2, item.Y2);
      break;
  }
}

bool TItemRenderer::Drawable(const TgfChartItem& item) const {
  if (item.Layer < 1 || item.Layer > kLayerCount) return false;
  const TKindInputs inputs = InputsOf(item.Kind);
  if (item.CoordMode > inputs.MaxCoordMode) return false;
  if ((inputs.X1 && !std::isfinite(item.X1)) || (inputs.Y1 && !std::isfinite(item.Y1)) ||
      (inputs.X2 && !std::isfinite(item.X2)) || (inputs.Y2 && !std::isfinite(item.Y2))) {
    return false;
  }
  if ((item.Kind == ikText || item.Kind == ikTextOffset) && item.LineWidth > TLongTextArray::kSize)
    return false;
  return true;
}

// --- polyline ---

void TItemRenderer::FlushPolyline() {
  TPolylineBuffer& buffer = m_state.Polyline;
  if (buffer.Count() == 0) return;
  if (buffer.Ahead() == 0) {
    m_canvas.Polyline(buffer.Points());
  } else {
    m_canvas.Polyline(buffer.NotDrawnAhead(), buffer.AheadPosition());
  }
  const TPoint last = buffer.Last();
  m_canvas.MoveTo(last.X, last.Y);
  m_state.CurrentPosition = last;
  buffer.Clear();
}

// --- shared drawing steps ---

void TItemRenderer::ApplyPenWidth(int width) {
  if (width == m_state.CurrentPenWidth) return;
  FlushPolyline();
  m_state.CurrentPenWidth = width;
  m_canvas.Pen().SetWidth(width);
}

bool TItemRenderer::DrawnAsPoint(TPoint a, TPoint b) {
  if (a != b) return false;
  m_canvas.SetPixel(a.X, a.Y, m_state.CurrentPenColor);
  return true;
}

void TItemRenderer::Widen(TPoint& a, TPoint& b) {
  const auto grow = [](int& v) {
    if (v < std::numeric_limits<int>::max()) ++v;
  };
  grow(b.X > a.X ? b.X : a.X);
  grow(b.Y > a.Y ? b.Y : a.Y);
}

void TItemRenderer::Line(TPoint a, TPoint b) {
  m_canvas.MoveTo(a.X, a.Y);
  m_canvas.LineTo(b.X, b.Y);
}

// --- dispatch ---

void TItemRenderer::RenderItem(const TgfChartItem& item, int index, bool isAnnotation,
                               const TLongTextArray& longTexts) {
  if (!Drawable(item)) return;
  // The text kinds keep a text index in LineWidth.
  if (item.Kind != ikText && item.Kind != ikTextOffset) ApplyPenWidth(item.LineWidth);
  const TLayerPixels& layer = m_layers[static_cast<std::size_t>(item.Layer - 1)];
  switch (item.Kind) {
    case ikMark:
      RenderMark(item, layer);
      break;
    case ikLine:
      RenderLine(item, layer);
      break;
    case ikLineTo:
      RenderLineTo(item, layer);
      break;
    case ikRect:
      RenderRect(item, layer);
      break;
    case ikFrame3D:
      RenderFrame3D(item, layer);
      break;
    case ikBar3D:
      RenderBar3D(item, layer);
      break;
    case ikText:
    case ikTextOffset:
      RenderText(item, layer, index, isAnnotation, longTexts);
      break;
    case ikMoveTo:
      RenderMoveTo(item, layer);
      break;
    case ikEllipse:
      RenderEllipse(item, layer);
      break;
    case ikMoveRel:
      RenderMoveRel(item);
      break;
    case ikLineRel:
      RenderLineRel(item);
      break;
    case ikArrow:
      RenderArrow(item, layer, false);
      break;
    case ikArrowBoth:
      RenderArrow(item, layer, true);
      break;
    case ikPixelRect:
      RenderPixelRect(item, layer);
      break;
    case ikErrorBars:
      RenderErrorBars(item, layer);
      break;
    case ikWorldLine:
      RenderWorldLine(item, layer);
      break;
    case ikArc:
      RenderArc(item, layer);
      break;
    case ikDeltaLine:
      RenderDeltaLine(item, layer);
      break;
    case ikVertLine:
      RenderVertLine(item, layer);
      break;
    case ikHorizLine:
      RenderHorizLine(item, layer);
      break;
    case ikCrossMark:
      RenderCrossMark(item, layer);
      break;
    default:  // 0, 10, 11 and codes above 24 draw nothing
      break;
  }
}

}  // namespace nox::detail
