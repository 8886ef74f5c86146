// The freehand mouse trace: segments between consecutive trace points of the current layer, each in
// its own colour, copied or XOR-ed; a stroke that ended is not joined to the next one.

#include <cmath>
#include <vector>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {

bool Placeable(const TMouseTracePoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }
}  // namespace

void detail::TGrafonRenderer::DrawMouseTrace(int x, int y, TBitmap& image) {
  const std::vector<TMouseTracePoint>& trace = m_chart.MouseTrace();
  if (trace.empty()) return;
  TCanvas& canvas = image.Canvas();
  const TColor penColor = canvas.Pen().Color();
  const int penWidth = canvas.Pen().Width();
  const TPenStyle penStyle = canvas.Pen().Style();
  const TBrushStyle brushStyle = canvas.Brush().Style();
  const int dx = x - m_chart.m_marginLeft;
  const int dy = y - m_chart.m_marginTop;
  for (std::size_t i = 1; i < trace.size(); ++i) {
    const TMouseTracePoint& from = trace[i - 1];
    const TMouseTracePoint& to = trace[i];
    if (from.Flags & kTraceStrokeEnds) continue;
    // A point that is not a number has no place: the segments at it are left out.
    if (!Placeable(from) || !Placeable(to)) continue;
    canvas.Pen().SetColor(to.Color);
    canvas.Pen().SetMode(to.Flags & kTraceDrawnXor ? pmXor : pmCopy);
    const TPoint a = ShiftedPixel(m_chart.m_items.Pen.Layer, from.X, from.Y, dx, dy);
    const TPoint b = ShiftedPixel(m_chart.m_items.Pen.Layer, to.X, to.Y, dx, dy);
    canvas.MoveTo(a.X, a.Y);
    canvas.LineTo(b.X, b.Y);
    canvas.Pen().SetMode(pmCopy);
  }
  canvas.Pen().SetColor(penColor);
  canvas.Pen().SetWidth(penWidth);
  canvas.Pen().SetStyle(penStyle);
  canvas.Brush().SetStyle(brushStyle);
}

}  // namespace nox
