// The four cross hairs, drawn over the composed chart: lines across the chart area, a small cross
// in a white and black box, or a box, each only where the cross hair lies inside the chart area.

#include <algorithm>
#include <cmath>

#include "chart/Nox_grafon.h"
#include "platform/raster_math.h"

namespace nox {

void detail::TGrafonRenderer::DrawCrossHairs(int x, int y, TBitmap& image) {
  if (std::all_of(m_chart.m_crossHairs.begin(), m_chart.m_crossHairs.end(),
                  [](const TCrossHair& c) { return c.Mode() == chOff; }))
    return;
  TCanvas& canvas = image.Canvas();
  const TColor penColor = canvas.Pen().Color();
  const int penWidth = canvas.Pen().Width();
  const TPenStyle penStyle = canvas.Pen().Style();
  const TBrushStyle brushStyle = canvas.Brush().Style();
  // From 4 down to 1, so that cross hair 1 ends on top.
  for (int i = kCrossHairCount; i >= 1; --i) {
    const TCrossHair& hair = m_chart.m_crossHairs[static_cast<std::size_t>(i - 1)];
    if (hair.Mode() != chOff) DrawCrossHair(canvas, hair, x, y);
  }
  canvas.Pen().SetColor(penColor);
  canvas.Pen().SetWidth(penWidth);
  canvas.Pen().SetStyle(penStyle);
  canvas.Brush().SetStyle(brushStyle);
}

void detail::TGrafonRenderer::DrawCrossHair(TCanvas& canvas, const TCrossHair& hair, int x, int y) {
  int px = 0;
  int py = 0;
  m_chart.WorldToPixel(hair.Layer(), hair.PosX(), hair.PosY(), px, py);
  const long long cx = px;
  const long long cy = py;
  // A negative width means nothing; it draws like 0 (one pixel wide).
  const int lineWidth = std::max(hair.LineWid(), 0);
  const long long hw = lineWidth / 2;
  const long long right =
      static_cast<long long>(m_chart.Width()) - m_chart.m_marginRight - m_chart.m_shadowWidth - hw;
  const long long bottom =
      static_cast<long long>(m_chart.Height()) - m_chart.m_marginBottom - m_chart.m_shadowWidth - hw;
  // A position that is not a number lies nowhere, so not inside.
  const bool insideX = std::isfinite(hair.PosX()) && m_chart.m_marginLeft + hw < cx && cx < right;
  const bool insideY = std::isfinite(hair.PosY()) && m_chart.m_marginTop + hw < cy && cy < bottom;
  canvas.Pen().SetColor(hair.Color());
  canvas.Pen().SetWidth(lineWidth);
  canvas.Pen().SetStyle(hair.LineType());
  canvas.Brush().SetColor(m_chart.m_chartColor);

  // Control pixels to the image, whose top left corner lies at (x, y).
  const auto line = [&](long long x1, long long y1, long long x2, long long y2) {
    canvas.MoveTo(detail::SaturateToInt(x1 - x), detail::SaturateToInt(y1 - y));
    canvas.LineTo(detail::SaturateToInt(x2 - x), detail::SaturateToInt(y2 - y));
  };
  const auto rectangle = [&](long long x1, long long y1, long long x2, long long y2) {
    canvas.Rectangle(detail::SaturateToInt(x1 - x), detail::SaturateToInt(y1 - y),
                     detail::SaturateToInt(x2 - x), detail::SaturateToInt(y2 - y));
  };
  const TCrossHMode mode = hair.Mode();
  if ((mode == chHoriz || mode == chBoth) && insideY) line(m_chart.m_marginLeft + hw + 1, cy, right, cy);
  if ((mode == chVert || mode == chBoth) && insideX) line(cx, m_chart.m_marginTop + hw + 1, cx, bottom);
  if (mode == chCrossBox && insideX && insideY) {
    line(cx - 13, cy, cx + 14, cy);
    line(cx, cy - 13, cx, cy + 14);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(0xFFFFFF);
    rectangle(cx - 3, cy - 3, cx + 4, cy + 4);
    canvas.Pen().SetColor(0);
    rectangle(cx - 2, cy - 2, cx + 3, cy + 3);
  }
  if (mode == chBox && insideX && insideY) {
    canvas.Brush().SetStyle(bsClear);
    rectangle(cx - 4, cy - 4, cx + 5, cy + 5);
  }
}

}  // namespace nox
