// Figures with an extent: ikRect, ikFrame3D, ikBar3D, ikEllipse, ikPixelRect, ikArc and
// ikCrossMark. Each flushes the pending polyline first. A figure whose two corners fall on the same
// pixel is drawn as that pixel in the pen colour; the others are widened by one pixel right and
// down (except the 3-D frame), so that both corners are covered.

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "chart/Nox_grafon.h"
#include "chart/render/item_render.h"

namespace nox::detail {

namespace {

constexpr long double kDegree = std::numbers::pi_v<long double> / 180;

}  // namespace

void TItemRenderer::RenderRect(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  SetPenColor(PenOf(item));
  SetBrushColor(FillOf(item));
  SetPenStyle(item.PenStyle);
  SetFillBrush(FillOf(item), item.Flag != 0);
  TPoint a, b;
  ResolveTwoPoints(item, layer, false, a, b);
  if (DrawnAsPoint(a, b)) return;
  Widen(a, b);
  m_canvas.Rectangle(a.X, a.Y, b.X, b.Y);
}

void TItemRenderer::RenderFrame3D(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  const TColor fill = FillOf(item);
  SetPenStyle(item.PenStyle);
  SetPenColor(fill);
  SetBrushColor(fill);
  // A brush left clear by an earlier item would leave the face unfilled when the cache already
  // holds this colour (a clear brush reads back as white).
  if (m_canvas.Brush().Style() == bsClear) SetFillBrush(fill, false);
  TPoint a, b;
  ResolveTwoPoints(item, layer, true, a, b);
  // x1 <= x2; y1 is the bottom.
  const int x1 = std::min(a.X, b.X), x2 = std::max(a.X, b.X);
  const int y1 = std::max(a.Y, b.Y), y2 = std::min(a.Y, b.Y);
  if (DrawnAsPoint({x1, y1}, {x2, y2})) return;
  m_canvas.Rectangle(x1, y1, x2, y2);
  TColor first = item.FrameColor1, second = item.FrameColor2;
  TPen& pen = m_canvas.Pen();
  switch (item.Style) {
    case fsRaised:
      std::swap(first, second);
      [[fallthrough]];
    case fsLowered:
      pen.SetColor(first);
      m_canvas.MoveTo(x1, y1);
      m_canvas.LineTo(x1, y2);
      m_canvas.LineTo(x2, y2);
      pen.SetColor(second);
      m_canvas.LineTo(x2, y1);
      m_canvas.LineTo(x1, y1);
      m_state.CurrentPenColor = second;
      break;
    case fsEngraved:
      std::swap(first, second);
      [[fallthrough]];
    case fsEmbossed:
      pen.SetColor(first);
      m_canvas.MoveTo(x1 + 1, y1);
      m_canvas.LineTo(x1 + 1, y2 + 1);
      m_canvas.LineTo(x2, y2 + 1);
      m_canvas.LineTo(x2, y1);
      m_canvas.LineTo(x1 + 1, y1);
      pen.SetColor(second);
      m_canvas.MoveTo(x1, y1 - 1);
      m_canvas.LineTo(x1, y2);
      m_canvas.LineTo(x2 - 1, y2);
      m_canvas.LineTo(x2 - 1, y1 - 1);
      m_canvas.LineTo(x1, y1 - 1);
      m_state.CurrentPenColor = second;
      break;
    default:  // fsNone, fsSimple and unknown styles: the filled rectangle only
      break;
  }
}

void TItemRenderer::RenderBar3D(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  const TColor fill = FillOf(item);
  SetPenColor(PenOf(item));
  SetBrushColor(fill);
  SetPenStyle(item.PenStyle);
  // As with the 3-D frame: the faces are filled even when an earlier item left the brush clear.
  if (m_canvas.Brush().Style() == bsClear) SetFillBrush(fill, false);
  // Both corners are world points; ordered in control pixels (y1 the top), then moved to the canvas.
  int ax = 0, ay = 0, bx = 0, by = 0;
  const auto control = [&](double x, double y, int& px, int& py) {
    px = MapToPixelInDouble(layer.X, layer.LogX, x, layer.BelowX);
    py = MapToPixelInDouble(layer.Y, layer.LogY, y, layer.BelowY);
    ClampPixel(px, py);
  };
  control(item.X1, item.Y1, ax, ay);
  control(item.X2, item.Y2, bx, by);
  int x1 = SaturateToInt(std::min(ax, bx) + m_shiftX), x2 = SaturateToInt(std::max(ax, bx) + m_shiftX);
  const int y1 = SaturateToInt(std::min(ay, by) + m_shiftY), y2 = SaturateToInt(std::max(ay, by) + m_shiftY);
  const long double angle = item.Param1 * kDegree;
  const std::int64_t dx = Round(std::cos(angle) * item.Param2);
  const std::int64_t dy = -Round(std::sin(angle) * item.Param2);
  if (item.Param1 > 90) std::swap(x1, x2);
  const int bx1 = SaturateToInt(x1 + dx), bx2 = SaturateToInt(x2 + dx);
  const int by1 = SaturateToInt(y1 + dy), by2 = SaturateToInt(y2 + dy);
  const TPoint top[] = {{x1, y1}, {bx1, by1}, {bx2, by1}, {x2, y1}};
  m_canvas.Polygon(top);
  const TPoint side[] = {{bx2, by1}, {x2, y1}, {x2, y2}, {bx2, by2}};
  m_canvas.Polygon(side);
  TPoint a{x1, y1}, b{x2, y2};
  Widen(a, b);
  m_canvas.Rectangle(a.X, a.Y, b.X, b.Y);
}

void TItemRenderer::RenderEllipse(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  SetPenColor(PenOf(item));
  SetBrushColor(FillOf(item));
  SetPenStyle(item.PenStyle);
  SetFillBrush(FillOf(item), item.Flag != 0);
  TPoint a = World(layer, item.X1 - item.X2, item.Y1 + item.Y2);
  TPoint b = World(layer, item.X1 + item.X2, item.Y1 - item.Y2);
  if (DrawnAsPoint(a, b)) return;
  Widen(a, b);
  m_canvas.Ellipse(a.X, a.Y, b.X, b.Y);
}

void TItemRenderer::RenderPixelRect(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  SetPenColor(PenOf(item));
  SetBrushColor(FillOf(item));
  SetPenStyle(item.PenStyle);
  SetFillBrush(FillOf(item), item.Flag != 0);
  const std::int64_t cx = MapToPixelInDouble(layer.X, layer.LogX, item.X1, layer.BelowX) + m_shiftX;
  const std::int64_t cy = MapToPixelInDouble(layer.Y, layer.LogY, item.Y1, layer.BelowY) + m_shiftY;
  TPoint a{ClampCoordinate(cx - item.Param1), ClampCoordinate(cy - item.Param2)};
  TPoint b{ClampCoordinate(cx + item.Param1), ClampCoordinate(cy + item.Param2)};
  if (DrawnAsPoint(a, b)) return;
  Widen(a, b);
  m_canvas.Rectangle(a.X, a.Y, b.X, b.Y);
}

void TItemRenderer::RenderArc(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  SetPenColor(PenOf(item));
  TPoint a = World(layer, item.X1 - item.X2, item.Y1 + item.Y2);
  TPoint b = World(layer, item.X1 + item.X2, item.Y1 - item.Y2);
  // The rays start at the centre, in the same pixels as the box: a centre in control pixels would
  // turn them by up to the margins' share of 10^8 pixels, enough to lose the end pixel of an arc
  // that ends at a multiple of 90 degrees.
  const TPoint centre = World(layer, item.X1, item.Y1);
  const std::int64_t cx = centre.X, cy = centre.Y;
  if (DrawnAsPoint(a, b)) return;
  Widen(a, b);
  constexpr long double kRay = 1e8L;  // angles are stored as radians x 10^8
  const long double a1 = item.Param1 / kRay, a2 = item.Param2 / kRay;
  m_canvas.Arc(a.X, a.Y, b.X, b.Y, SaturateToInt(cx + Round(std::cos(a1) * kRay)),
               SaturateToInt(cy - Round(std::sin(a1) * kRay)), SaturateToInt(cx + Round(std::cos(a2) * kRay)),
               SaturateToInt(cy - Round(std::sin(a2) * kRay)));
}

void TItemRenderer::RenderCrossMark(const TgfChartItem& item, const TLayerPixels& layer) {
  FlushPolyline();
  SetPenColor(PenOf(item));
  SetBrushColor(FillOf(item));
  SetPenStyle(item.PenStyle);
  SetFillBrush(FillOf(item), false);
  TPoint a, b;
  switch (item.CoordMode) {
    case 1:
      a = {PixelCoordinate(item.X1 - item.X2, 0), PixelCoordinate(item.Y1 + item.Y2, 0)};
      b = {PixelCoordinate(item.X1 + item.X2, 0), PixelCoordinate(item.Y1 - item.Y2, 0)};
      break;
    case 2: {
      // A world centre with half-extents in pixels.
      const std::int64_t cx = MapToPixelInDouble(layer.X, layer.LogX, item.X1, layer.BelowX) + m_shiftX;
      const std::int64_t cy = MapToPixelInDouble(layer.Y, layer.LogY, item.Y1, layer.BelowY) + m_shiftY;
      const std::int64_t rx = RoundedPixels(item.X2), ry = RoundedPixels(item.Y2);
      // Corners in the order of mode 0: the first one up and left.
      a = {ClampCoordinate(cx - rx), ClampCoordinate(cy - ry)};
      b = {ClampCoordinate(cx + rx), ClampCoordinate(cy + ry)};
      break;
    }
    default:
      a = World(layer, item.X1 - item.X2, item.Y1 + item.Y2);
      b = World(layer, item.X1 + item.X2, item.Y1 - item.Y2);
      break;
  }
  if (!DrawnAsPoint(a, b)) {
    Widen(a, b);
    const int x = (a.X + b.X) / 2, y = (a.Y + b.Y) / 2;
    Line({x, a.Y}, {x, b.Y});
    Line({a.X, y}, {b.X, y});
  }
  // A following line-to continues from the centre of the cross.
  m_state.CurrentPosition = {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
}

}  // namespace nox::detail
