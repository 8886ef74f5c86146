// Moves and lines: ikMoveTo, ikMoveRel, ikLineTo, ikLineRel, ikLine, ikWorldLine, ikDeltaLine,
// ikVertLine and ikHorizLine.
//
// Line-to items (ikLineTo, ikLineRel, and the segment of ikDeltaLine) go into the polyline buffer;
// they flush it only when their colours or style differ from the pending ones. Every other kind
// flushes before it draws.

#include <algorithm>
#include <limits>

#include "chart/Nox_grafon.h"
#include "chart/render/item_render.h"

namespace nox::detail {

namespace {

// The canvas pen position moved by a pixel offset, kept within int.
TPoint Moved(TPoint from, double dx, double dy) {
  return {SaturateToInt(from.X + RoundedPixels(dx)), SaturateToInt(from.Y + RoundedPixels(dy))};
}

}  // namespace

void TItemRenderer::RenderMoveTo(const TgfChartItem& item, const TLayerPixels& layer) {
  const TPoint p = ResolveOnePoint(item, layer);
  FlushPolyline();
  m_state.CurrentPosition = p;
  m_canvas.MoveTo(p.X, p.Y);
}

void TItemRenderer::RenderMoveRel(const TgfChartItem& item) {
  const TPoint p = Moved(m_canvas.PenPos(), item.X1, item.Y1);
  FlushPolyline();
  m_state.CurrentPosition = p;
  m_canvas.MoveTo(p.X, p.Y);
}

void TItemRenderer::RenderLineTo(const TgfChartItem& item, const TLayerPixels& layer) {
  const TPoint p = ResolveOnePoint(item, layer);
  if (LineAttributesDiffer(item)) {
    FlushPolyline();
    SetLineAttributes(item);
  }
  AddPolylinePoint(p.X, p.Y);
}

void TItemRenderer::RenderLineRel(const TgfChartItem& item) {
  // From the canvas pen position: where the last move or the last drawn polyline ended, not the
  // points still waiting in the buffer.
  const TPoint p = Moved(m_canvas.PenPos(), item.X1, item.Y1);
  if (LineAttributesDiffer(item)) {
    FlushPolyline();
    SetLineAttributes(item);
  }
  AddPolylinePoint(p.X, p.Y);
}

void TItemRenderer::RenderLine(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  SetLineAttributes(item);
  TPoint a, b;
  ResolveTwoPoints(item, layer, true, a, b);
  if (DrawnAsPoint(a, b)) return;
  Line(a, b);
}

void TItemRenderer::RenderWorldLine(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  SetLineAttributes(item);
  const auto shifted = [&](double x, double y) {
    const std::int64_t px = MapToPixelInDouble(layer.X, layer.LogX, x, layer.BelowX) + m_shiftX + item.Param1;
    const std::int64_t py = MapToPixelInDouble(layer.Y, layer.LogY, y, layer.BelowY) + m_shiftY + item.Param2;
    return TPoint{ClampCoordinate(px), ClampCoordinate(py)};
  };
  const TPoint a = shifted(item.X1, item.Y1);
  const TPoint b = shifted(item.X2, item.Y2);
  if (DrawnAsPoint(a, b)) return;
  Line(a, b);
}

void TItemRenderer::RenderDeltaLine(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  if (LineAttributesDiffer(item)) SetLineAttributes(item);
  const TPoint a = World(layer, item.X1, item.Y1);
  const TPoint b{ClampCoordinate(a.X + RoundedPixels(item.X2)),
                 ClampCoordinate(a.Y + RoundedPixels(item.Y2))};
  if (DrawnAsPoint(a, b)) return;
  // Drawn with the next flush, so that line-to items that follow continue the same polyline.
  m_state.CurrentPosition = a;
  AddPolylinePoint(b.X, b.Y);
}

void TItemRenderer::RenderVertLine(const TgfChartItem& item, const TLayerPixels& layer) {
  const int x =
      item.CoordMode == 1 || item.CoordMode == 3 ? PixelCoordinate(item.X1, 0) : WorldX(layer, item.X1);
  FlushPolyline();
  // Set unconditionally: the canvas gets these whatever the cache says.
  m_canvas.Pen().SetColor(m_state.CurrentPenColor = PenOf(item));
  m_canvas.Pen().SetStyle(m_state.CurrentPenStyle = item.PenStyle);
  m_canvas.Brush().SetColor(m_state.CurrentBrushColor = item.FillColor);
  const int y0 = m_target.OffsetY;
  const int y1 = ClampCoordinate(std::int64_t{m_height} - m_marginBottom - m_marginTop + m_target.OffsetY);
  Line({x, y0}, {x, y1});
}

void TItemRenderer::RenderHorizLine(const TgfChartItem& item, const TLayerPixels& layer) {
  const int y =
      item.CoordMode == 1 || item.CoordMode == 3 ? PixelCoordinate(item.Y1, 0) : WorldY(layer, item.Y1);
  FlushPolyline();
  m_canvas.Pen().SetColor(m_state.CurrentPenColor = PenOf(item));
  m_canvas.Pen().SetStyle(m_state.CurrentPenStyle = item.PenStyle);
  m_canvas.Brush().SetColor(m_state.CurrentBrushColor = item.FillColor);
  const int x0 = m_target.OffsetX;
  const int x1 = ClampCoordinate(std::int64_t{m_width} - m_marginLeft - m_marginRight + m_target.OffsetX);
  Line({x0, y}, {x1, y});
}

}  // namespace nox::detail
