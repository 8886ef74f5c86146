#pragma once
// Summaries of an item list in blocks, so that a rendering can take a long run of line-to items a
// block at a time instead of item by item.
//
// Level 0 has one block per 16 items (items 16j .. 16j + 15), level L one per 16^(L+1) items, made
// of 16 blocks of the level below. Only complete blocks are summarised; the items of a list's
// incomplete tail belong to no block of the levels they do not fill.
//
// A block is uniform when every item in it is a plain line-to: kind ikLineTo, CoordMode 0 or 2
// (world units), finite X1 and Y1, layer 1..16, and the same Color, FillColor, PenStyle,
// LineWidth, ItemClass and Layer as the block's first item. A uniform block keeps the box of its
// points in world units (the least and greatest X1 and Y1); a block that is not uniform keeps NaN
// there. Because the world-to-pixel map of a linear axis is monotone, the box's corners give the
// pixel box of all the block's points without looking at them.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "chart/item_container.h"

namespace nox::detail {

struct TBlockBox {
  double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;  // NaN in MinX: not uniform
  bool Uniform() const { return !std::isnan(MinX); }
  friend bool operator==(const TBlockBox& a, const TBlockBox& b) {
    if (!a.Uniform() || !b.Uniform()) return a.Uniform() == b.Uniform();
    return a.MinX == b.MinX && a.MaxX == b.MaxX && a.MinY == b.MinY && a.MaxY == b.MaxY;
  }
};

class TLineBlockTree {
 public:
  static constexpr int kFanShift = 4;  // 16 items per block, 16 blocks per block of the level above
  static constexpr int kLevels = 8;    // 16^8 items exceed any list's count

  // Items in one block of a level.
  static constexpr std::size_t BlockItems(int level) {
    return std::size_t{1} << (kFanShift * (level + 1));
  }

  // Summarises the blocks that the list's count reaching `count` completes; call it after every
  // append, with the items written so far.
  void Appended(const TGfItemContainer& items, std::size_t count);
  void Clear();

  // Complete blocks at a level, and one of them.
  std::size_t BlockCount(int level) const { return m_levels[static_cast<std::size_t>(level)].size(); }
  const TBlockBox& Block(int level, std::size_t index) const {
    return m_levels[static_cast<std::size_t>(level)][index];
  }

  std::size_t AllocatedBytes() const;

  friend bool operator==(const TLineBlockTree&, const TLineBlockTree&) = default;

 private:
  std::array<std::vector<TBlockBox>, kLevels> m_levels;
};

// Whether an item is a plain line-to (above), and whether two plain line-to items share everything a
// uniform block requires.
bool PlainLineTo(const TgfChartItem& item);
bool SameLineAttributes(const TgfChartItem& a, const TgfChartItem& b);

}  // namespace nox::detail
