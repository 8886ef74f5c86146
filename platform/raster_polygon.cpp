#include "platform/raster_polygon.h"

#include <algorithm>

#include "platform/raster_math.h"

namespace nox::detail {

bool PolygonFiller::Prepare(std::span<const TPoint> points, int height) {
  m_edges.clear();
  m_active.clear();
  m_nextEdge = 0;
  const std::size_t n = points.size();
  std::int64_t top = 0, bottom = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const TPoint p = points[i], q = points[(i + 1) % n];
    if (p.Y == q.Y) continue;  // horizontal edges add no crossing (rows take an edge's top, not its bottom)
    const TPoint upper = p.Y < q.Y ? p : q, lower = p.Y < q.Y ? q : p;
    const Edge edge{
        upper.Y, lower.Y, upper.X, upper.Y, std::int64_t{lower.X} - upper.X, std::int64_t{lower.Y} - upper.Y};
    if (m_edges.empty() || edge.top < top) top = edge.top;
    if (m_edges.empty() || edge.bottom > bottom) bottom = edge.bottom;
    m_edges.push_back(edge);
  }
  if (m_edges.empty()) return false;
  std::sort(m_edges.begin(), m_edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
  m_firstRow = std::max<std::int64_t>(top, 0);
  m_lastRow = std::min<std::int64_t>(bottom - 1, height - 1);
  return m_firstRow <= m_lastRow;
}

std::size_t PolygonFiller::Crossings(std::int64_t y) {
  for (; m_nextEdge < m_edges.size() && m_edges[m_nextEdge].top <= y; ++m_nextEdge) {
    if (m_edges[m_nextEdge].bottom > y) m_active.push_back(m_nextEdge);
  }
  std::erase_if(m_active, [&](std::size_t i) { return m_edges[i].bottom <= y; });
  m_crossings.clear();
  for (const std::size_t i : m_active) {
    const Edge& e = m_edges[i];
    // Pixel centres sit on the integer points the vertices name. The crossing of row y is
    // x0 + (y - y0) dx / dy; the first pixel at or right of it is ceil(crossing).
    const Int128 numerator = Int128{e.x0} * e.dy + Int128{y - e.y0} * e.dx;
    const Int128 denominator = e.dy;
    constexpr Int128 kLimit = Int128{1} << 62;
    if (numerator > -kLimit && numerator < kLimit && denominator < kLimit) {  // 64-bit division is faster
      const auto n = static_cast<std::int64_t>(numerator), d = static_cast<std::int64_t>(denominator);
      m_crossings.push_back(n / d + ((n % d != 0 && n > 0) ? 1 : 0));
    } else {
      m_crossings.push_back(static_cast<std::int64_t>(CeilDiv(numerator, denominator)));
    }
  }
  std::sort(m_crossings.begin(), m_crossings.end());
  return m_crossings.size();
}

}  // namespace nox::detail
