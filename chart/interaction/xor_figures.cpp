#include "chart/interaction/xor_figures.h"

#include <algorithm>

#include "platform/raster_math.h"

namespace nox::detail {

namespace {

using Int64 = std::int64_t;

}  // namespace

TRect FigureArea(const TXorFigure& f, int penWidth) {
  const Int64 reach = std::max(penWidth, 1) / 2 + 1;
  return {SaturateToInt(std::min<Int64>(f.From.X, f.To.X) - reach),
          SaturateToInt(std::min<Int64>(f.From.Y, f.To.Y) - reach),
          SaturateToInt(std::max<Int64>(f.From.X, f.To.X) + reach + 1),
          SaturateToInt(std::max<Int64>(f.From.Y, f.To.Y) + reach + 1)};
}

TRect DrawXorFigure(TCanvas& canvas, const TXorFigure& figure) {
  TPen& pen = canvas.Pen();
  TBrush& brush = canvas.Brush();
  pen.SetMode(pmXor);
  pen.SetColor(0xFFFFFF);
  brush.SetStyle(bsClear);
  if (figure.Kind == xfLine) {
    canvas.MoveTo(figure.From.X, figure.From.Y);
    canvas.LineTo(figure.To.X, figure.To.Y);
  } else {
    canvas.Rectangle(figure.From.X, figure.From.Y, figure.To.X, figure.To.Y);
  }
  pen.SetMode(pmCopy);
  brush.SetStyle(bsSolid);
  return FigureArea(figure, pen.Width());
}

TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

TRect TXorOverlay::Toggle(TCanvas& canvas, const TXorFigure& figure) {
  const auto it = std::find(m_figures.begin(), m_figures.end(), figure);
  if (it != m_figures.end()) {
    m_figures.erase(it);
  } else {
    m_figures.push_back(figure);
  }
  return DrawXorFigure(canvas, figure);
}

TRect TXorOverlay::EraseAll(TCanvas& canvas) {
  TRect area;
  // Newest first, the reverse of drawing; XOR does not mind the order, a reader may.
  for (auto it = m_figures.rbegin(); it != m_figures.rend(); ++it)
    area = UnionRect(area, DrawXorFigure(canvas, *it));
  m_figures.clear();
  return area;
}

TRect TXorOverlay::DrawAll(TCanvas& canvas) const {
  TRect area;
  for (const TXorFigure& figure : m_figures) area = UnionRect(area, DrawXorFigure(canvas, figure));
  return area;
}

}  // namespace nox::detail
