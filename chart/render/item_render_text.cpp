// Text items: ikText at an anchor point, ikTextOffset at a world point moved by a pixel offset.
//
// The text is the item's ShortText, or the long-text entry its LineWidth names (1..50). It is drawn
// in the item's pen colour with the name and style of the chart's TextFont at Param1 points; the
// first line is centred vertically on the anchor, and Param3 aligns the block: 0 (and any unknown
// value) left, 1 right, 2 centred. A non-zero low byte of Param2 paints the background: each line's
// cell, and for several lines a box 4 pixels wider than the widest line on each side and 2 pixels
// higher than the block at top and bottom.

#include <algorithm>
#include <limits>

#include "chart/Nox_grafon.h"
#include "chart/render/item_render.h"
#include "chart/render/text_lines.h"
#include "platform/host.h"

namespace nox::detail {

int TItemRenderer::MeasureText(std::string_view text, int& lineHeight, int& totalHeight,
                               int& maxWidth) const {
  int lines = 0;
  int widest = 0;
  ForEachLine(text, [&](std::string_view line) {
    ++lines;
    widest = std::max(widest, m_canvas.TextWidth(line));
  });
  lineHeight = m_canvas.TextHeight(text) + 1;
  totalHeight = SaturateToInt(std::int64_t{lineHeight} * lines);
  maxWidth = widest != 0 ? widest : m_canvas.TextWidth(text);
  return lines;
}

void TItemRenderer::ApplyTextFont(int size) {
  TFont& font = m_canvas.Font();
  const TFont& textFont = m_chart.TextFont();
  font.SetStyle(textFont.Style());
  font.SetName(textFont.Name());
  if (m_printer) {
    // The size in points stays the same on paper.
    font.SetPixelsPerInch(Host().ScreenPixelsPerInch());
    font.SetSize(size);
    font.SetPixelsPerInch(m_canvas.PrinterPixelsPerInchY());
  } else {
    font.SetSize(size);
  }
}

void TItemRenderer::RenderText(const TgfChartItem& item, const TLayerPixels& layer, int index,
                               bool isAnnotation, const TLongTextArray& longTexts) {
  FlushPolyline();
  SetFontColor(PenOf(item));
  ApplyTextFont(item.Param1);
  SetBrushColor(TextBackgroundOf(item));
  SetFillBrush(TextBackgroundOf(item), (item.Param2 & 0xFF) == 0);
  TPoint anchor;
  if (item.Kind == ikText) {
    anchor = ResolveOnePoint(item, layer);
  } else {
    const long double x = MapToPixelInDouble(layer.X, layer.LogX, item.X1, layer.BelowX) + m_shiftX +
                          static_cast<long double>(item.X2);
    const long double y = MapToPixelInDouble(layer.Y, layer.LogY, item.Y1, layer.BelowY) + m_shiftY +
                          static_cast<long double>(item.Y2);
    anchor = {ClampCoordinate(nox::Round(x)), ClampCoordinate(nox::Round(y))};
  }
  DrawText(item, anchor, index, isAnnotation, longTexts);
}

void TItemRenderer::DrawText(const TgfChartItem& item, TPoint anchor, int index, bool isAnnotation,
                             const TLongTextArray& longTexts) {
  if (item.LineWidth < 1) {
    m_text.assign(item.ShortText.View());
  } else {
    m_text.assign(longTexts[item.LineWidth]);
  }
  if (m_chart.OnBeforeRenderText) m_chart.OnBeforeRenderText(&m_chart, m_text, index, isAnnotation);

  int lineHeight = 0, totalHeight = 0, maxWidth = 0;
  const int lines = MeasureText(m_text, lineHeight, totalHeight, maxWidth);
  // The first line is centred on the anchor.
  const std::int64_t y = std::int64_t{anchor.Y} - lineHeight / 2;
  std::int64_t x = anchor.X;
  if (item.Param3 == 1) x -= maxWidth;
  if (item.Param3 == 2) x -= maxWidth / 2;

  if (lines == 1) {
    m_canvas.TextOut(SaturateToInt(x), SaturateToInt(y), m_text);
    return;
  }
  if ((item.Param2 & 0xFF) != 0) {
    SetPenColor(TextBackgroundOf(item));
    m_canvas.Rectangle(SaturateToInt(x - 4), SaturateToInt(y - 2), SaturateToInt(x + maxWidth + 4),
                       SaturateToInt(y + std::int64_t{lines} * lineHeight + 2));
  }
  // Lines below the canvas cannot show; the rest of a long text is not measured again.
  const std::int64_t bottom = m_canvas.Height();
  std::int64_t k = 0;
  ForEachLine(m_text, [&](std::string_view line) {
    const std::int64_t top = y + k * lineHeight;
    ++k;
    if (top >= bottom) return;
    std::int64_t d = 0;
    if (item.Param3 == 1 || item.Param3 == 2) {
      d = maxWidth - m_canvas.TextWidth(line);
      if (item.Param3 == 2) d /= 2;
    }
    m_canvas.TextOut(SaturateToInt(x + d), SaturateToInt(top), line);
  });
}

}  // namespace nox::detail
