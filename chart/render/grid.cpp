// The grid of the chart area: positions from the current layer's ranges (render/grid_positions.h),
// drawn as points, vertical and horizontal lines, solid or dotted.

#include <algorithm>
#include <vector>

#include "chart/Nox_grafon.h"
#include "chart/render/grid_positions.h"

namespace nox {

namespace {

// One axis of the current layer as the grid walks it, with the scale control's ticks in list order.
struct TGridWalk {
  detail::TGridAxis Axis;
  std::vector<double> Ticks;
};

TGridWalk GridWalk(const TScaleProps& props, const TScale& scale, bool logarithmic, double step) {
  TGridWalk walk;
  walk.Axis = {logarithmic, std::min(props.RangeLow(), props.RangeHigh()),
               std::max(props.RangeLow(), props.RangeHigh()), step};
  if (step == 0) {
    walk.Ticks.reserve(static_cast<std::size_t>(scale.NumTicks()));
    for (int n = 1; n <= scale.NumTicks(); ++n) walk.Ticks.push_back(scale.TickPos(n));
  }
  return walk;
}

}  // namespace

double detail::TGrafonRenderer::NextGridPosition(bool IsLog, int N, bool IsY, double Step,
                                                 double Current) const {
  const std::size_t layer = m_chart.LayerIndex(m_chart.m_items.Pen.Layer);
  const TScaleProps& props =
      IsY ? static_cast<const TScaleProps&>(m_chart.m_propsY[layer]) : m_chart.m_propsX[layer];
  const TScale& scale = IsY ? *m_chart.m_scaleY[layer] : *m_chart.m_scaleX[layer];
  const TGridWalk walk = GridWalk(props, scale, IsLog, Step);
  return detail::NextGridPosition(walk.Axis, walk.Ticks, N, Current);
}

std::vector<double> detail::TGrafonRenderer::GridPositions(bool IsY) const {
  const std::size_t layer = m_chart.LayerIndex(m_chart.m_items.Pen.Layer);
  const TScaleProps& props =
      IsY ? static_cast<const TScaleProps&>(m_chart.m_propsY[layer]) : m_chart.m_propsX[layer];
  const TScale& scale = IsY ? *m_chart.m_scaleY[layer] : *m_chart.m_scaleX[layer];
  const TGridWalk walk =
      GridWalk(props, scale, props.Logarithmic(), IsY ? m_chart.m_gridDy : m_chart.m_gridDx);
  return detail::GridPositions(walk.Axis, walk.Ticks);
}

void detail::TGrafonRenderer::DrawGrid(TCanvas& canvas, int offsetX, int offsetY) {
  canvas.Brush().SetColor(m_chart.m_chartColor);
  canvas.Pen().SetColor(m_chart.m_gridColor);
  const bool vertical = m_chart.m_gridStyle == gsVertLines || m_chart.m_gridStyle == gsVertDotLines ||
                        m_chart.m_gridStyle == gsLines || m_chart.m_gridStyle == gsDotLines;
  const bool horizontal = m_chart.m_gridStyle == gsHorizLines || m_chart.m_gridStyle == gsHorizDotLines ||
                          m_chart.m_gridStyle == gsLines || m_chart.m_gridStyle == gsDotLines;
  const bool dotted = m_chart.m_gridStyle == gsVertDotLines || m_chart.m_gridStyle == gsHorizDotLines ||
                      m_chart.m_gridStyle == gsDotLines;
  if (m_chart.m_gridStyle != gsPoints && !vertical && !horizontal) return;

  const int layer = m_chart.m_items.Pen.Layer;
  const int dx = offsetX - m_chart.m_marginLeft;
  const int dy = offsetY - m_chart.m_marginTop;
  const TScaleProps& px = m_chart.ScaleXOf(layer);
  const TScaleProps& py = m_chart.ScaleYOf(layer);
  const double xlo = std::min(px.RangeLow(), px.RangeHigh());
  const double xhi = std::max(px.RangeLow(), px.RangeHigh());
  const double ylo = std::min(py.RangeLow(), py.RangeHigh());
  const double yhi = std::max(py.RangeLow(), py.RangeHigh());

  if (m_chart.m_gridStyle == gsPoints) {
    const std::vector<double> xs = GridPositions(false);
    const std::vector<double> ys = GridPositions(true);
    int points = 0;
    for (double x : xs) {
      for (double y : ys) {
        if (points == detail::kMaxGridLines) return;
        const TPoint p = ShiftedPixel(layer, x, y, dx, dy);
        canvas.SetPixel(p.X, p.Y, m_chart.m_gridColor);
        ++points;
      }
    }
    return;
  }

  canvas.Pen().SetStyle(dotted ? psDot : psSolid);
  if (vertical) {
    for (double x : GridPositions(false)) {
      const TPoint from = ShiftedPixel(layer, x, ylo, dx, dy);
      const TPoint to = ShiftedPixel(layer, x, yhi, dx, dy);
      canvas.MoveTo(from.X, from.Y);
      canvas.LineTo(to.X, to.Y);
    }
  }
  if (horizontal) {
    for (double y : GridPositions(true)) {
      const TPoint from = ShiftedPixel(layer, xlo, y, dx, dy);
      const TPoint to = ShiftedPixel(layer, xhi, y, dx, dy);
      canvas.MoveTo(from.X, from.Y);
      canvas.LineTo(to.X, to.Y);
    }
  }
  if (dotted) canvas.Pen().SetStyle(psSolid);
}

}  // namespace nox
