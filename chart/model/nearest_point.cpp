#include "chart/model/nearest_point.h"

#include <algorithm>
#include <cstdint>

namespace nox::detail {

namespace {

// Whether a point of this kind and coordinate mode sits at world coordinates.
bool WorldPoint(TgfItemKind kind, std::uint8_t coordMode) {
  switch (kind) {
    case ikLineTo:
    case ikMoveTo:
      return coordMode == 0 || coordMode == 2;
    case ikMark:
      return coordMode == 0;
    default:
      return false;
  }
}

// The squared distance from p to the nearest pixel of the box x0..x1, y0..y1 (bounds included).
// Distances beyond 2^31 pixels, farther than any radius, count as 2^31, so that the sum of the
// squares stays within 64 bits.
std::uint64_t DistanceSquared(TPoint p, int x0, int x1, int y0, int y1) {
  constexpr std::int64_t kFar = std::int64_t{1} << 31;
  const auto square = [](std::int64_t v) { return static_cast<std::uint64_t>(v * v); };
  const std::int64_t dx = std::min(std::max({std::int64_t{x0} - p.X, std::int64_t{0}, std::int64_t{p.X} - x1}), kFar);
  const std::int64_t dy = std::min(std::max({std::int64_t{y0} - p.Y, std::int64_t{0}, std::int64_t{p.Y} - y1}), kFar);
  return square(dx) + square(dy);
}

class TNearestSearch {
 public:
  TNearestSearch(const TSeriesStore& store, const TNearestPointQuery& query)
      : m_query(query), m_cursor(store, 0), m_bound(static_cast<std::uint64_t>(std::int64_t{query.Radius} * query.Radius)) {}

  bool Visible(int layer, std::uint8_t itemClass) const {
    return layer >= 1 && layer <= kLayerCount && m_query.LayerVisible[static_cast<std::size_t>(layer - 1)] &&
           (*m_query.ClassVisible)[itemClass];
  }

  // Whether a block may hold a point nearer than the best so far.
  TBlockStep Block(const TSummaryBox& box) const {
    if (!box.Uniform()) return bsSplit;
    const auto& a = box.Attributes;
    if (!Visible(a.Layer, a.ItemClass)) return bsTake;
    const TAxisPixels& ax = m_query.X[a.Layer - 1u];
    const TAxisPixels& ay = m_query.Y[a.Layer - 1u];
    if ((ax.Logarithmic && !(box.MinX > kMinLogValue)) || (ay.Logarithmic && !(box.MinY > kMinLogValue))) {
      return bsSplit;
    }
    const auto [x0, x1] = std::minmax({ax.Pixel(box.MinX), ax.Pixel(box.MaxX)});
    const auto [y0, y1] = std::minmax({ay.Pixel(box.MinY), ay.Pixel(box.MaxY)});
    return DistanceSquared(m_query.Pointer, x0, x1, y0, y1) > m_bound ? bsTake : bsSplit;
  }

  void Item(std::size_t index) {
    m_cursor.MoveTo(index);
    int layer = 0;
    std::uint8_t itemClass = 0;
    std::uint8_t coordMode = 0;
    TgfItemKind kind{};
    double x = 0, y = 0;
    if (m_cursor.IsPoint()) {
      const TPointPen& pen = m_cursor.Pen();
      layer = pen.Layer;
      itemClass = pen.ItemClass;
      coordMode = pen.CoordMode;
      kind = m_cursor.Kind();
      x = m_cursor.X();
      y = m_cursor.Y();
    } else {
      const TgfChartItem item = m_cursor.Item();
      layer = item.Layer;
      itemClass = item.ItemClass;
      coordMode = item.CoordMode;
      kind = item.Kind;
      x = item.X1;
      y = item.Y1;
    }
    if (!WorldPoint(kind, coordMode) || !Visible(layer, itemClass)) return;
    const TPoint pixel{m_query.X[layer - 1u].Pixel(x), m_query.Y[layer - 1u].Pixel(y)};
    if (!m_query.Area.Contains(pixel)) return;
    const std::uint64_t d = DistanceSquared(m_query.Pointer, pixel.X, pixel.X, pixel.Y, pixel.Y);
    if (d > m_bound) return;
    m_bound = d;  // a later point at the same distance wins: it is drawn on top
    m_found = TNearestPoint{index, pixel};
  }

  const std::optional<TNearestPoint>& Found() const { return m_found; }

 private:
  const TNearestPointQuery& m_query;
  TSeriesCursor m_cursor;
  std::uint64_t m_bound;  // squared distance a point must not exceed
  std::optional<TNearestPoint> m_found;
};

}  // namespace

std::optional<TNearestPoint> FindNearestPoint(const TSeriesStore& store, const TNearestPointQuery& query) {
  if (query.Radius < 0 || query.ClassVisible == nullptr || store.Count() == 0) return std::nullopt;
  TNearestSearch search(store, query);
  const TBlockSummaries& blocks = store.Blocks();
  blocks.WalkForward(
      0, static_cast<std::size_t>(store.Count()),
      [&](int level, std::size_t block, std::size_t) { return search.Block(blocks.Block(level, block)); },
      [&](std::size_t i) {
        search.Item(i);
        return true;
      });
  return search.Found();
}

}  // namespace nox::detail
