#pragma once
// Summaries of an item list in blocks, so that a rendering can take a long run of line-to items (or
// of marks) a block at a time instead of item by item. Built item by item as the list grows, and
// dropped from the front as its oldest items are removed.
//
// Blocks are numbered by absolute item positions, which only grow: the list's first item is item
// Base(), its last End() - 1, and removing items from the front raises Base() without renumbering
// anything. Level 0 has one block per 16 items (items 16j .. 16j + 15), level L one per 16^(L+1)
// items, made of 16 blocks of the level below. Only complete blocks are kept; those that end at or
// before Base() are dropped. A block that reaches back before Base() summarises items that are gone
// and is never offered by a walk (walks offer only blocks that lie wholly within their range).
//
// A block is uniform in one of two ways (Kind; 0 when it is neither):
//  - ikLineTo: every item is a plain line-to: kind ikLineTo, CoordMode 0 or 2 (world units), finite
//    X1 and Y1, layer 1..16, and the same Color, FillColor, PenStyle, LineWidth, ItemClass and Layer
//    as the block's first item;
//  - ikMark: every item is a plain mark: kind ikMark, CoordMode 0, finite X1 and Y1, layer 1..16,
//    Param1 0 (the printer sizes character marks by it), and the same Color, FillColor, PenStyle,
//    LineWidth, ItemClass, Layer and mark type (Param3) as the block's first item.
// A uniform block keeps the box of its points in world units (the least and greatest X1 and Y1).
// Because the world-to-pixel map of a linear axis is monotone, the box's corners give the pixel box
// of all the block's points without looking at them.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "chart/model/chart_item.h"

namespace nox::detail {

// What a walk over a list does with a block offered to it: take it whole, look at its parts (the
// blocks of the level below, then single items), or stop before it.
enum TBlockStep : std::uint8_t { bsTake, bsSplit, bsStop };

// The kind of uniform block an item may belong to by the rules above, its coordinates aside (they
// must be finite as well): ikLineTo, ikMark or 0.
TgfItemKind SummaryKind(TgfItemKind kind, std::uint8_t coordMode, std::int32_t layer, std::int32_t param1);

struct TSummaryBox {
  double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;  // world units; meaningless when not uniform
  // What every item of a uniform block shares, so that a rendering can judge the block without
  // reading its items.
  struct TAttributes {
    TColor Color = 0, FillColor = 0;
    std::int32_t LineWidth = 0;
    std::int32_t MarkType = 0;  // mark blocks: the marks' type (Param3); line blocks: 0
    std::uint8_t Layer = 0;     // 1..16
    std::uint8_t ItemClass = 0;
    TPenStyle PenStyle = psSolid;
    TgfItemKind Kind{};  // ikLineTo, ikMark, or 0: not uniform
    // Compared on every block merged: as bytes, without a branch per field.
    friend bool operator==(const TAttributes& a, const TAttributes& b) {
      return std::memcmp(&a, &b, sizeof a) == 0;
    }
  } Attributes;

  static_assert(std::has_unique_object_representations_v<TAttributes>, "attributes compare as their bytes");

  bool Uniform() const { return Attributes.Kind != 0; }
  bool UniformLines() const { return Attributes.Kind == ikLineTo; }
  bool UniformMarks() const { return Attributes.Kind == ikMark; }

  // The box of one item (not uniform when the item is not a plain line-to or mark).
  static TSummaryBox Of(const TgfChartItem& item);
  // The box of a point with the given attributes (Kind as SummaryKind gives it, before the
  // coordinates are looked at): not uniform unless x and y are finite.
  static TSummaryBox OfPoint(const TAttributes& attributes, double x, double y) {
    TSummaryBox box{x, x, y, y, attributes};
    if (!std::isfinite(x) || !std::isfinite(y)) box.Attributes.Kind = TgfItemKind{};
    return box;
  }

  // Widens this box by another of the same block; either one not uniform, or attributes that
  // differ, leave it not uniform.
  void Merge(const TSummaryBox& o) {
    if (!Uniform()) return;
    if (!(Attributes == o.Attributes)) {
      Attributes.Kind = TgfItemKind{};
      return;
    }
    MinX = o.MinX < MinX ? o.MinX : MinX;
    MaxX = o.MaxX > MaxX ? o.MaxX : MaxX;
    MinY = o.MinY < MinY ? o.MinY : MinY;
    MaxY = o.MaxY > MaxY ? o.MaxY : MaxY;
  }

  // Boxes that are not uniform are equal whatever their numbers.
  friend bool operator==(const TSummaryBox& a, const TSummaryBox& b) {
    if (!a.Uniform() || !b.Uniform()) return a.Uniform() == b.Uniform();
    return a.Attributes == b.Attributes && a.MinX == b.MinX && a.MaxX == b.MaxX && a.MinY == b.MinY &&
           a.MaxY == b.MaxY;
  }
};

static_assert(std::is_aggregate_v<TSummaryBox> && std::is_trivially_destructible_v<TSummaryBox>,
              "box columns keep boxes in raw storage");

// The complete blocks of one level in order: appended at the back, dropped from the front, in nodes
// of 64 blocks, so that one allocation serves 1024 items of level 0 (a std::deque node holds 9).
class TBoxColumn {
 public:
  TBoxColumn() = default;
  TBoxColumn(const TBoxColumn& other);
  TBoxColumn& operator=(const TBoxColumn&) = delete;
  // A column moved from is empty, as a moved-from container is.
  TBoxColumn(TBoxColumn&& other) noexcept
      : m_nodes(std::move(other.m_nodes)),
        m_begin(std::exchange(other.m_begin, 0)),
        m_end(std::exchange(other.m_end, 0)),
        m_back(std::exchange(other.m_back, nullptr)) {}
  TBoxColumn& operator=(TBoxColumn&& other) noexcept {
    m_nodes = std::move(other.m_nodes);
    other.m_nodes.clear();
    m_begin = std::exchange(other.m_begin, 0);
    m_end = std::exchange(other.m_end, 0);
    m_back = std::exchange(other.m_back, nullptr);
    return *this;
  }

  std::size_t size() const { return m_end - m_begin; }
  bool empty() const { return m_end == m_begin; }
  const TSummaryBox& operator[](std::size_t i) const { return At(m_begin + i); }
  // Boxes i .. i + n - 1 (n <= 64) when they lie side by side in one node, else null.
  const TSummaryBox* SideBySide(std::size_t i, std::size_t n) const {
    const std::size_t p = m_begin + i;
    return (p & kSlotMask) + n <= kNodeBoxes ? &At(p) : nullptr;
  }
  // A new box at the back, for the caller to fill. Throws std::bad_alloc when memory runs out,
  // leaving the column as it was.
  TSummaryBox& emplace_back() {
    if ((m_end & kSlotMask) == 0) SeatBack();
    ++m_end;
    return *m_back++;
  }
  void push_back(const TSummaryBox& box) { emplace_back() = box; }
  void pop_back() noexcept {  // the node stays for the next push
    --m_end;
    if ((m_end & kSlotMask) != 0) m_back = &At(m_end);
  }
  void pop_front() noexcept;

 private:
  static constexpr int kNodeShift = 6;
  static constexpr std::size_t kNodeBoxes = std::size_t{1} << kNodeShift;
  static constexpr std::size_t kSlotMask = kNodeBoxes - 1;
  // A node's boxes are left unwritten until pushed: zeroing them first would write each box twice,
  // and at a few bytes a point that is a measurable part of appending.
  struct TFreeNode {
    void operator()(TSummaryBox* node) const { ::operator delete(node); }
  };
  using TNode = std::unique_ptr<TSummaryBox, TFreeNode>;
  static TNode NewNode();
  TSummaryBox& At(std::size_t p) const { return m_nodes[p >> kNodeShift].get()[p & kSlotMask]; }
  // Points m_back at slot m_end, the first of its node, adding the node if there is none.
  void SeatBack();

  std::deque<TNode> m_nodes;
  std::size_t m_begin = 0, m_end = 0;  // slots in use, counted from the first node's first box
  // Slot m_end, where the next push goes, unless m_end is the first of a node: then it is seated
  // by the push (so that pushing does not index the deque).
  TSummaryBox* m_back = nullptr;
};

class TBlockSummaries {
 public:
  static constexpr int kFanShift = 4;  // 16 items per block, 16 blocks per block of the level above
  static constexpr std::size_t kFan = std::size_t{1} << kFanShift;
  static constexpr int kLevels = 8;  // 16^8 items exceed any list's count

  // Items in one block of a level.
  static constexpr std::size_t BlockItems(int level) { return std::size_t{1} << Shift(level); }

  // Absolute positions of the first item and one past the last.
  std::size_t Base() const { return m_base; }
  std::size_t End() const { return m_end; }

  // Summarises the next item. Throws std::bad_alloc when memory runs out, leaving the summaries as
  // they were.
  void Add(const TSummaryBox& item);
  // The same for an item that does not complete a level-0 block ((End() + 1) % 16 != 0); it never
  // allocates.
  void AddWithinBlock(const TSummaryBox& item) {
    if ((m_end & (kFan - 1)) == 0) {
      m_open[0] = item;
    } else {
      m_open[0].Merge(item);
    }
    ++m_end;
  }
  // Appending point after point without summarising each point as it comes: CountPoint counts the
  // next item (at End(), given as `position`), a point whose coordinates the caller keeps in
  // columns; it must not complete a level-0 block ((End() + 1) % 16 != 0). The points counted so far are summarised from those columns by
  // SummarisePoints, or with the point that completes their block by CompletePoints, before the
  // summaries are checkpointed, copied or changed in any other way. Walks and the complete blocks
  // may be read meanwhile: only the open level-0 block lags.
  void CountPoint(std::size_t position) { m_end = position + 1; }
  // Summarises the counted items from .. End() - 1 (all in the open level-0 block) as points with
  // the given attributes at x[0], y[0] (item `from`) and after.
  void SummarisePoints(const TSummaryBox::TAttributes& attributes, std::size_t from, const double* x,
                       const double* y);
  // Adds item End(), a point that completes a level-0 block, after the counted items from ..
  // End() - 1; all of them are points with the given attributes at x[0], y[0] (item `from`) and
  // after, the new one last. Throws std::bad_alloc when memory runs out, leaving the summaries as
  // they were.
  void CompletePoints(const TSummaryBox::TAttributes& attributes, std::size_t from, const double* x,
                      const double* y);
  // Summarises the next n points, all with the given attributes, their coordinates x[i], y[i].
  // Throws std::bad_alloc when memory runs out, having summarised some of them: undo with Restore.
  void AddPoints(const TSummaryBox::TAttributes& attributes, const double* x, const double* y, std::size_t n);
  // The same, copying x[i], y[i] to toX[i], toY[i] on the way: the values are read once, where a
  // copy followed by AddPoints on the copy reads them twice.
  void CopyPoints(const TSummaryBox::TAttributes& attributes, const double* x, const double* y, double* toX,
                  double* toY, std::size_t n);

  // What Restore needs to undo the additions made after it was taken.
  struct TCheckpoint {
    std::array<std::size_t, kLevels> Sizes;
    std::array<TSummaryBox, kLevels> Open;
    std::size_t End;
  };
  TCheckpoint Checkpoint() const;
  // Undoes every addition since the checkpoint (no items may have been dropped since).
  void Restore(const TCheckpoint& checkpoint) noexcept;

  // Forgets the items before the absolute position `base` (Base() <= base <= End()) and the blocks
  // that end at or before it.
  void DropBefore(std::size_t base) noexcept;

  // The complete blocks kept at a level: absolute block numbers FirstBlock .. EndBlock - 1, and one
  // of them.
  std::size_t FirstBlock(int level) const { return EndBlock(level) - Level(level).size(); }
  std::size_t EndBlock(int level) const { return m_end >> Shift(level); }
  const TSummaryBox& Block(int level, std::size_t block) const {
    return Level(level)[block - FirstBlock(level)];
  }

  // The parts of a block of `level` (> 0), as an array when they lie side by side in memory (as
  // they mostly do), else null.
  const TSummaryBox* PartsSideBySide(int level, std::size_t block) const {
    return Level(level - 1).SideBySide(block * kFan - FirstBlock(level - 1), kFan);
  }

  // Asks the processor to fetch the summaries of the parts of a block of `level` (> 0), which a
  // walk that splits the block looks at next: they lie apart from what it read last, and fetched
  // together their cache misses overlap. Changes nothing.
  void PrefetchParts(int level, std::size_t block) const {
    const std::size_t firstPart = block * kFan;
    for (std::size_t part = firstPart; part < firstPart + kFan; ++part) __builtin_prefetch(&Block(level - 1, part));
  }

  std::size_t AllocatedBytes() const;

  // Walks the items first .. last - 1 (positions counted from the list's first item, last not past
  // the list's end) front to back. Each complete block that starts at the walk's position and ends
  // inside the range is offered, largest first, as block(level, blockNumber, firstItem); what it
  // does not take is split into the blocks of the level below and at last offered item by item as
  // item(index), which returns false to stop. Returns where the walk stopped: the first item (or
  // block) not passed, or last.
  template <class Block, class Item>
  std::size_t WalkForward(std::size_t first, std::size_t last, Block&& block, Item&& item) const {
    std::size_t p = m_base + first;
    const std::size_t end = m_base + last;
    while (p < end) {
      bool taken = false;
      for (int level = LargestBlockAt(p, end - p, true); level >= 0 && !taken; --level) {
        const TBlockStep step = block(level, p >> Shift(level), p - m_base);
        if (step == bsStop) return p - m_base;
        if (step == bsTake) {
          p += BlockItems(level);
          taken = true;
        }
      }
      if (taken) continue;
      if (!item(p - m_base)) return p - m_base;
      ++p;
    }
    return p - m_base;
  }

  // The same back to front, from last - 1 down to first; blocks end at the walk's position and are
  // offered as block(level, blockNumber, firstItem). Returns the position the walk stopped at: the
  // items before it are not passed (item(p - 1) returned false, or a block ending at p stopped it),
  // or first.
  template <class Block, class Item>
  std::size_t WalkBackward(std::size_t first, std::size_t last, Block&& block, Item&& item) const {
    const std::size_t begin = m_base + first;
    std::size_t p = m_base + last;
    while (p > begin) {
      bool taken = false;
      for (int level = LargestBlockAt(p, p - begin, false); level >= 0 && !taken; --level) {
        const std::size_t size = BlockItems(level);
        const TBlockStep step = block(level, (p >> Shift(level)) - 1, p - size - m_base);
        if (step == bsStop) return p - m_base;
        if (step == bsTake) {
          p -= size;
          taken = true;
        }
      }
      if (taken) continue;
      if (!item(p - 1 - m_base)) return p - m_base;
      --p;
    }
    return p - m_base;
  }

 private:
  static constexpr int Shift(int level) { return kFanShift * (level + 1); }
  const TBoxColumn& Level(int level) const { return m_levels[static_cast<std::size_t>(level)]; }

  // Adds the level-0 block that ends at `end` with the blocks above it that it completes, and gives
  // the highest of them to the open block above it; all or nothing. The block is `leaf`, or (LeafAt)
  // the points x[0..15], y[0..15] with the given attributes, its box made in its place in level 0.
  void Complete(const TSummaryBox& leaf, std::size_t end);
  void CompleteLeafAt(const TSummaryBox::TAttributes& attributes, const double* x, const double* y,
                      std::size_t end);
  // The same, copying the 16 points to toX, toY as it reads them.
  void CopyLeafAt(const TSummaryBox::TAttributes& attributes, const double* x, const double* y, double* toX,
                  double* toY, std::size_t end);
  // The same for a level-0 block `leaf` already pushed, which it pops again if it fails.
  void Completed(const TSummaryBox& leaf, std::size_t end);
  // Pushes the blocks above level 0 that the level-0 block `leaf`, ending at `end`, completes, and
  // gives the highest of them to the open block above it; all or nothing.
  void CompleteAbove(const TSummaryBox& leaf, std::size_t end);
  // The open block of `level` takes box as its child number `children` (1..15).
  void TakeChild(int level, const TSummaryBox& box, std::size_t children);

  // The highest level with a complete block that starts (forward) or ends (backward) at the
  // absolute position p (within the list) and holds at most `room` items; -1 if there is none.
  int LargestBlockAt(std::size_t p, std::size_t room, bool forward) const {
    int level = -1;
    for (int l = 0; l < kLevels; ++l) {
      const std::size_t size = BlockItems(l);
      if ((p & (size - 1)) != 0 || size > room) break;
      if ((forward ? p + size : p) > m_end) break;  // not complete
      level = l;
    }
    return level;
  }

  std::array<TBoxColumn, kLevels> m_levels;
  // The incomplete block at each level: items (level 0) or complete blocks (above) merged so far;
  // level L holds (End() >> 4L) % 16 of them.
  std::array<TSummaryBox, kLevels> m_open{};
  std::size_t m_base = 0;
  std::size_t m_end = 0;
};

}  // namespace nox::detail
