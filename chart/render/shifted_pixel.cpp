// The pixel placement shared by the background area, the grid and the mouse trace: a world point
// mapped by a layer and moved onto the canvas being drawn.

#include "chart/Nox_grafon.h"
#include "chart/render/item_render.h"
#include "platform/raster_math.h"

namespace nox {

namespace {
int Shifted(int p, int d) { return detail::SaturateToInt(std::int64_t{detail::ClampCoordinate(p)} + d); }
}  // namespace

TPoint detail::TGrafonRenderer::ShiftedPixel(int layer, double x, double y, int dx, int dy) const {
  int px = 0;
  int py = 0;
  m_chart.WorldToPixel(layer, x, y, px, py);
  return {Shifted(px, dx), Shifted(py, dy)};
}

}  // namespace nox
