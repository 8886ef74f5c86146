#include "chart/interaction/mouse_geometry.h"

#include <algorithm>

namespace nox::detail {

namespace {

using Int64 = std::int64_t;

bool Between(Int64 low, Int64 v, Int64 high) { return low < v && v < high; }

// The band `depth` pixels deep beside the chart area at that edge, moved outwards by scalePos;
// along the edge it spans the chart area between the margins.
bool InBand(const TChartFrame& f, TScaleEdge edge, int scalePos, int depth, int x, int y) {
  const Int64 p = scalePos;
  switch (edge) {
    case seRight: {
      const Int64 inner = Int64{f.Width} + p - f.MarginRight;
      return Between(inner, x, inner + depth) && Between(f.MarginTop, y, Int64{f.Height} - f.MarginBottom);
    }
    case seLeft: {
      const Int64 inner = Int64{f.MarginLeft} - p;
      return Between(inner - depth, x, inner) && Between(f.MarginTop, y, Int64{f.Height} - f.MarginBottom);
    }
    case seBottom: {
      const Int64 inner = Int64{f.Height} + p - f.MarginBottom;
      return Between(inner, y, inner + depth) && Between(f.MarginLeft, x, Int64{f.Width} - f.MarginRight);
    }
    case seTop: {
      const Int64 inner = Int64{f.MarginTop} - p;
      return Between(inner - depth, y, inner) && Between(f.MarginLeft, x, Int64{f.Width} - f.MarginRight);
    }
  }
  return false;
}

}  // namespace

bool InChartArea(const TChartFrame& frame, int x, int y) {
  return frame.MarginLeft <= x && x <= frame.AreaRight() && frame.MarginTop <= y && y <= frame.AreaBottom();
}

int ClampXToChartArea(const TChartFrame& frame, int x) {
  const Int64 raised = std::max<Int64>(x, frame.MarginLeft);
  return static_cast<int>(std::min(raised, frame.AreaRight()));
}

int ClampYToChartArea(const TChartFrame& frame, int y) {
  const Int64 raised = std::max<Int64>(y, frame.MarginTop);
  return static_cast<int>(std::min(raised, frame.AreaBottom()));
}

bool InScaleHitBand(const TChartFrame& frame, TScaleEdge edge, int scalePos, int x, int y) {
  const bool vertical = edge == seLeft || edge == seRight;
  return InBand(frame, edge, scalePos, vertical ? 50 : 40, x, y);
}

bool InScaleDragBand(const TChartFrame& frame, TScaleEdge edge, int scalePos, int x, int y) {
  return InBand(frame, edge, scalePos, 50, x, y);
}

}  // namespace nox::detail
