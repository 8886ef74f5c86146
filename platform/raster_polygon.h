#pragma once
// Even-odd filling of a closed polygon. The vertices are taken as pixel corners and a pixel is
// inside when its centre is: a horizontal line through pixel centres never meets a vertex, so
// every crossing counts once, and a centre that lies exactly on a slanted edge belongs to the span
// that edge starts, not to the one it ends. The polygon (0,0) (10,0) (10,10) (0,10) fills the pixels
// 0 .. 9 in both directions, like Rectangle(0, 0, 10, 10).

#include <cstdint>
#include <span>
#include <vector>

#include "platform/geometry.h"

namespace nox::detail {

class PolygonFiller {
 public:
  // Sends the spans of the visible inside pixels, row by row, to the sink.
  template <class Sink>
  void Fill(std::span<const TPoint> points, int width, int height, Sink& sink) {
    if (!Prepare(points, height)) return;
    for (std::int64_t y = m_firstRow; y <= m_lastRow; ++y) {
      const std::size_t count = Crossings(y);
      for (std::size_t i = 0; i + 1 < count; i += 2) {
        const std::int64_t x0 = m_crossings[i] < 0 ? 0 : m_crossings[i];
        const std::int64_t x1 = m_crossings[i + 1] > width ? width : m_crossings[i + 1];
        if (x0 < x1) sink.Span(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1 - 1));
      }
    }
  }

 private:
  struct Edge {
    std::int64_t top, bottom;  // the rows it crosses: top .. bottom - 1
    std::int64_t x0, y0;       // upper end
    std::int64_t dx, dy;       // to the lower end, dy > 0
  };

  // Builds the edge list and the visible row range; false when nothing is visible.
  bool Prepare(std::span<const TPoint> points, int height);
  // The sorted first-pixel columns of the crossings in row y; returns their number.
  std::size_t Crossings(std::int64_t y);

  std::vector<Edge> m_edges;  // sorted by top
  std::vector<std::size_t> m_active;
  std::vector<std::int64_t> m_crossings;
  std::size_t m_nextEdge = 0;
  std::int64_t m_firstRow = 0, m_lastRow = -1;
};

}  // namespace nox::detail
