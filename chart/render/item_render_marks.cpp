// Mark symbols at data points (ikMark) and error bars with a mark at their centre (ikErrorBars).
//
// Both are drawn only when their centre (for error bars, their extent) lies within the visible
// ranges: a symbol whose centre is outside is left out entirely, not drawn in part. Such an item
// counts as hidden: it does not even flush the pending polyline.

#include <cmath>

#include "base/draw_mark.h"
#include "chart/Nox_grafon.h"
#include "chart/render/item_render.h"
#include "platform/host.h"

namespace nox::detail {

namespace {

// Whether the interval lo..hi (lo <= hi) meets low..high (low <= high), bounds included.
bool Overlaps(double lo, double hi, double low, double high) { return lo <= high && hi >= low; }

}  // namespace

void TItemRenderer::DrawMarkSymbol(std::uint8_t markType, int x, int y) {
  DrawMark(m_canvas, markType, x, y);
  // A character mark leaves the brush clear (it reads back as white): the cache follows the canvas.
  m_state.CurrentBrushColor = m_canvas.Brush().Color();
}

void TItemRenderer::RenderMark(const TgfChartItem& item, const TLayerPixels& layer) {
  // The symbol's size plays no part: only its centre is tested.
  if (item.CoordMode == 0) {
    if (!(item.X1 >= layer.XLow && item.X1 <= layer.XHigh && item.Y1 >= layer.YLow &&
          item.Y1 <= layer.YHigh)) {
      return;
    }
  } else if (!(item.X1 >= 0 && item.X1 <= static_cast<double>(m_width) - m_marginRight - m_marginLeft &&
               item.Y1 >= 0 && item.Y1 <= static_cast<double>(m_height) - m_marginBottom - m_marginTop)) {
    return;
  }
  FlushPolyline();
  SetPenColor(PenOf(item));
  SetPenStyle(item.PenStyle);
  const TPoint p = item.CoordMode == 0 ? World(layer, item.X1, item.Y1)
                                       : TPoint{PixelCoordinate(item.X1, m_target.OffsetX),
                                                PixelCoordinate(item.Y1, m_target.OffsetY)};
  if (m_printer && item.Param3 >= kFirstCharacterMark) {
    // A character mark keeps its size on paper.
    TFont& font = m_canvas.Font();
    font.SetPixelsPerInch(Host().ScreenPixelsPerInch());
    font.SetSize(item.Param1);
    font.SetPixelsPerInch(m_canvas.PrinterPixelsPerInchY());
  }
  const auto markType = static_cast<std::uint8_t>(item.Param3 & 0xFF);
  if (m_avoidDuplicateMarks && m_state.DuplicateMarks.SeenOrRecord(p.X, p.Y, markType)) return;
  DrawMarkSymbol(markType, p.X, p.Y);
}

void TItemRenderer::RenderErrorBars(const TgfChartItem& item, const TLayerPixels& layer) {
  const double below = std::abs(item.X2);
  const double above = std::abs(item.Y2);
  if (!Overlaps(item.X1 - below, item.X1 + above, layer.XLow, layer.XHigh) ||
      !Overlaps(item.Y1 - below, item.Y1 + above, layer.YLow, layer.YHigh)) {
    return;
  }
  FlushPolyline();
  SetLineAttributes(item);
  const TPoint centre = World(layer, item.X1, item.Y1);
  if (item.Param1 != 0) {
    for (const double v : {item.X1 - below, item.X1 + above}) {
      const int x = WorldX(layer, v);
      Line(centre, {x, centre.Y});
      Line({x, centre.Y - 3}, {x, centre.Y + 4});
    }
  } else {
    for (const double v : {item.Y1 - below, item.Y1 + above}) {
      const int y = WorldY(layer, v);
      Line(centre, {centre.X, y});
      Line({centre.X - 3, y}, {centre.X + 4, y});
    }
  }
  // Error bars are never suppressed as duplicates.
  DrawMarkSymbol(static_cast<std::uint8_t>(item.Param3 & 0xFF), centre.X, centre.Y);
}

}  // namespace nox::detail
