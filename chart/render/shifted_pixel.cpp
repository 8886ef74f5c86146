// The pixel placement shared by the background area, the grid and the mouse trace: a world point
// mapped by a layer and moved onto the canvas being drawn.

#include <algorithm>
#include <climits>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {
// The limit every drawn chart-area pixel keeps to, whatever the world value.
constexpr int kPixelLimit = 30000;

int Shifted(int p, int d) {
  const long long v = static_cast<long long>(std::clamp(p, -kPixelLimit, kPixelLimit)) + d;
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}
}  // namespace

TPoint TCustomGrafon::ShiftedPixel(int layer, double x, double y, int dx, int dy) const {
  int px = 0;
  int py = 0;
  WorldToPixel(layer, x, y, px, py);
  return {Shifted(px, dx), Shifted(py, dy)};
}

}  // namespace nox
