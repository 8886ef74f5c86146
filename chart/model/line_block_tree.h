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

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "chart/model/item_container.h"

namespace nox::detail {

// What a walk over a list does with a block offered to it: take it whole, look at its parts (the
// blocks of the level below, then single items), or stop before it.
enum TBlockStep : std::uint8_t { bsTake, bsSplit, bsStop };

struct TBlockBox {
  double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;  // NaN in MinX: not uniform
  // The attributes all items of a uniform block share, so that a rendering can judge the block
  // without reading its records.
  TColor Color = 0, FillColor = 0;
  std::int32_t LineWidth = 0;
  std::uint8_t Layer = 0;  // 1..16
  std::uint8_t ItemClass = 0;
  TPenStyle PenStyle = psSolid;

  bool Uniform() const { return !std::isnan(MinX); }
  // The box of one plain line-to item.
  static TBlockBox Of(const TgfChartItem& item) {
    return {item.X1,        item.X1,        item.Y1,        item.Y1,
            item.Color,     item.FillColor, item.LineWidth, static_cast<std::uint8_t>(item.Layer),
            item.ItemClass, item.PenStyle};
  }
  // Widens this box by another; either not uniform, or attributes that differ, leave it not
  // uniform.
  void Merge(const TBlockBox& o) {
    if (!o.Uniform() || !SameAttributes(o)) {
      MinX = std::numeric_limits<double>::quiet_NaN();
      return;
    }
    MinX = std::min(MinX, o.MinX);
    MaxX = std::max(MaxX, o.MaxX);
    MinY = std::min(MinY, o.MinY);
    MaxY = std::max(MaxY, o.MaxY);
  }
  bool SameAttributes(const TBlockBox& o) const {
    return Color == o.Color && FillColor == o.FillColor && LineWidth == o.LineWidth && Layer == o.Layer &&
           ItemClass == o.ItemClass && PenStyle == o.PenStyle;
  }
  friend bool operator==(const TBlockBox& a, const TBlockBox& b) {
    if (!a.Uniform() || !b.Uniform()) return a.Uniform() == b.Uniform();
    return a.MinX == b.MinX && a.MaxX == b.MaxX && a.MinY == b.MinY && a.MaxY == b.MaxY &&
           a.SameAttributes(b);
  }
};

class TLineBlockTree {
 public:
  static constexpr int kFanShift = 4;  // 16 items per block, 16 blocks per block of the level above
  static constexpr int kLevels = 8;    // 16^8 items exceed any list's count

  // Items in one block of a level.
  static constexpr std::size_t BlockItems(int level) { return std::size_t{1} << (kFanShift * (level + 1)); }

  // Summarises the blocks that the list's count reaching `count` completes; call it after every
  // append, with the items written so far. Throws std::bad_alloc with the summaries unchanged.
  void Appended(const TGfItemContainer& items, std::size_t count);
  void Clear();

  // Complete blocks at a level, and one of them.
  std::size_t BlockCount(int level) const { return m_levels[static_cast<std::size_t>(level)].size(); }
  const TBlockBox& Block(int level, std::size_t index) const {
    return m_levels[static_cast<std::size_t>(level)][index];
  }

  std::size_t AllocatedBytes() const;

  friend bool operator==(const TLineBlockTree&, const TLineBlockTree&) = default;

  // Walks the items first .. last - 1 front to back (last must not exceed the count summarised).
  // Each complete block that starts at the walk's position and ends inside the range is offered,
  // largest first, as block(level, blockIndex, firstItem); what it does not take is split into the
  // blocks of the level below and at last offered item by item as item(index), which returns false
  // to stop. Returns where the walk stopped: the first item (or block) not passed, or last.
  template <class Block, class Item>
  std::size_t WalkForward(std::size_t first, std::size_t last, Block&& block, Item&& item) const {
    std::size_t p = first;
    while (p < last) {
      bool taken = false;
      for (int level = LargestBlockAt(p, last - p, true); level >= 0 && !taken; --level) {
        const TBlockStep step = block(level, p >> Shift(level), p);
        if (step == bsStop) return p;
        if (step == bsTake) {
          p += BlockItems(level);
          taken = true;
        }
      }
      if (taken) continue;
      if (!item(p)) return p;
      ++p;
    }
    return p;
  }

  // The same back to front, from last - 1 down to first; blocks end at the walk's position and are
  // offered as block(level, blockIndex, firstItem). Returns the position the walk stopped at: the
  // items before it are not passed (item(p - 1) returned false, or a block ending at p stopped it),
  // or first.
  template <class Block, class Item>
  std::size_t WalkBackward(std::size_t first, std::size_t last, Block&& block, Item&& item) const {
    std::size_t p = last;
    while (p > first) {
      bool taken = false;
      for (int level = LargestBlockAt(p, p - first, false); level >= 0 && !taken; --level) {
        const std::size_t size = BlockItems(level);
        const TBlockStep step = block(level, (p >> Shift(level)) - 1, p - size);
        if (step == bsStop) return p;
        if (step == bsTake) {
          p -= size;
          taken = true;
        }
      }
      if (taken) continue;
      if (!item(p - 1)) return p;
      --p;
    }
    return p;
  }

 private:
  static constexpr int Shift(int level) { return kFanShift * (level + 1); }
  // The highest level with a complete block that starts (forward) or ends (backward) at p and
  // holds at most `room` items; -1 if there is none.
  int LargestBlockAt(std::size_t p, std::size_t room, bool forward) const {
    int level = -1;
    for (int l = 0; l < kLevels; ++l) {
      const std::size_t size = BlockItems(l);
      if ((p & (size - 1)) != 0 || size > room) break;
      const std::size_t index = forward ? p >> Shift(l) : (p >> Shift(l)) - 1;
      if (index >= BlockCount(l)) break;
      level = l;
    }
    return level;
  }

  std::array<std::vector<TBlockBox>, kLevels> m_levels;
};

// Whether an item is a plain line-to (above).
bool PlainLineTo(const TgfChartItem& item);

}  // namespace nox::detail
