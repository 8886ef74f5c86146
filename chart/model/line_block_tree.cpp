#include "chart/model/line_block_tree.h"

#include <algorithm>
#include <array>
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

void TLineBlockTree::Appended(const TGfItemContainer& items, std::size_t count) {
  if (count % kFan != 0) return;
  // The leaf block the count has just completed.
  const std::size_t first = count - kFan;
  const auto boxOf = [&](std::size_t i) {
    return PlainLineTo(items[i]) ? TBlockBox::Of(items[i]) : TBlockBox{kNotUniform};
  };
  TBlockBox box = boxOf(first);
  for (std::size_t i = first + 1; i < count && box.Uniform(); ++i) box.Merge(boxOf(i));
  // A level that cannot grow leaves every level as it was, so that the list can refuse the item
  // and stay in step with its summaries.
  std::array<std::size_t, kLevels> sizes{};
  for (std::size_t l = 0; l < sizes.size(); ++l) sizes[l] = m_levels[l].size();
  try {
    m_levels[0].push_back(box);
    // Each level above completes a block when the level below has completed a multiple of 16.
    for (int level = 1; level < kLevels; ++level) {
      const std::vector<TBlockBox>& below = m_levels[static_cast<std::size_t>(level - 1)];
      if (below.size() % kFan != 0) break;
      const std::size_t firstChild = below.size() - kFan;
      TBlockBox parent = below[firstChild];
      for (std::size_t c = firstChild + 1; c < below.size() && parent.Uniform(); ++c) parent.Merge(below[c]);
      m_levels[static_cast<std::size_t>(level)].push_back(parent);
    }
  } catch (...) {
    for (std::size_t l = 0; l < sizes.size(); ++l) m_levels[l].resize(sizes[l]);
    throw;
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
