#include "chart/line_block_tree.h"

#include <algorithm>
#include <limits>

namespace nox::detail {

namespace {

constexpr std::size_t kFan = std::size_t{1} << TLineBlockTree::kFanShift;
constexpr double kNotUniform = std::numeric_limits<double>::quiet_NaN();

}  // namespace

bool PlainLineTo(const TgfChartItem& item) {
  return item.Kind == ikLineTo && (item.CoordMode == 0 || item.CoordMode == 2) && std::isfinite(item.X1) &&
         std::isfinite(item.Y1) && item.Layer >= 1 && item.Layer <= 16;
}

bool SameLineAttributes(const TgfChartItem& a, const TgfChartItem& b) {
  return a.Color == b.Color && a.FillColor == b.FillColor && a.PenStyle == b.PenStyle &&
         a.LineWidth == b.LineWidth && a.ItemClass == b.ItemClass && a.Layer == b.Layer;
}

void TLineBlockTree::Appended(const TGfItemContainer& items, std::size_t count) {
  if (count % kFan != 0) return;
  // The leaf block the count has just completed.
  const std::size_t first = count - kFan;
  const TgfChartItem& lead = items[first];
  TBlockBox box = PlainLineTo(lead) ? TBlockBox::Of(lead) : TBlockBox{};
  for (std::size_t i = first; i < count; ++i) {
    const TgfChartItem& item = items[i];
    if (!PlainLineTo(item) || !SameLineAttributes(item, lead)) {
      box.MinX = kNotUniform;
      break;
    }
    box.MinX = std::min(box.MinX, item.X1);
    box.MaxX = std::max(box.MaxX, item.X1);
    box.MinY = std::min(box.MinY, item.Y1);
    box.MaxY = std::max(box.MaxY, item.Y1);
  }
  m_levels[0].push_back(box);
  // Each level above completes a block when the level below has completed a multiple of 16.
  for (int level = 1; level < kLevels; ++level) {
    const std::vector<TBlockBox>& below = m_levels[static_cast<std::size_t>(level - 1)];
    if (below.size() % kFan != 0) break;
    const std::size_t firstChild = below.size() - kFan;
    TBlockBox parent = below[firstChild];
    for (std::size_t c = firstChild; c < below.size() && parent.Uniform(); ++c) {
      const TBlockBox& child = below[c];
      if (!child.Uniform() || !child.SameAttributes(parent)) {
        parent.MinX = kNotUniform;
        break;
      }
      parent.MinX = std::min(parent.MinX, child.MinX);
      parent.MaxX = std::max(parent.MaxX, child.MaxX);
      parent.MinY = std::min(parent.MinY, child.MinY);
      parent.MaxY = std::max(parent.MaxY, child.MaxY);
    }
    m_levels[static_cast<std::size_t>(level)].push_back(parent);
  }
}

void TLineBlockTree::Clear() {
  for (std::vector<TBlockBox>& level : m_levels) {
    level.clear();
    level.shrink_to_fit();
  }
}

std::size_t TLineBlockTree::AllocatedBytes() const {
  std::size_t bytes = 0;
  for (const std::vector<TBlockBox>& level : m_levels) bytes += level.capacity() * sizeof(TBlockBox);
  return bytes;
}

}  // namespace nox::detail
