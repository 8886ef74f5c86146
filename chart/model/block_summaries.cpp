#include "chart/model/block_summaries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace nox::detail {

namespace {

constexpr std::size_t kLeafMask = TBlockSummaries::kFan - 1;

// Two doubles that one instruction compares or adds (the compiler's vector extension, which GCC and
// Clang share: an SSE2 register on x86-64).
using TPair = double __attribute__((vector_size(2 * sizeof(double))));
TPair PairAt(const double* p) {
  TPair pair;
  std::memcpy(&pair, p, sizeof pair);
  return pair;
}
TPair Least(TPair a, TPair b) { return a < b ? a : b; }
TPair Greatest(TPair a, TPair b) { return a > b ? a : b; }

// Makes `box` the box of the 16 points x[0..15], y[0..15], all with the given attributes; with
// kCopy, also stores each pair read at toX, toY, so that copying and summarising read the values
// once. The box is written where it is kept: a box built aside and copied there would be read back
// at other widths than it was written, which waits for the writes to finish. Two pairs of lanes
// without a branch per point, so that the comparisons do not wait on each other. v - v is 0 for a
// finite v and NaN for an infinite one or NaN, so the lanes' sums of it say whether every value is
// finite (the least and greatest values alone pass over a NaN); a value that is not leaves the box
// not uniform.
template <bool kCopy>
void MakeLeaf(const TSummaryBox::TAttributes& attributes, const double* x, const double* y, TSummaryBox& box,
              double* toX = nullptr, double* toY = nullptr) {
  if (attributes.Kind == TgfItemKind{}) {
    if constexpr (kCopy) {
      std::memcpy(toX, x, TBlockSummaries::kFan * sizeof(double));
      std::memcpy(toY, y, TBlockSummaries::kFan * sizeof(double));
    }
    box = {x[0], x[0], y[0], y[0], attributes};
    return;
  }
  const auto read = [&](std::size_t k, TPair& a, TPair& b) {
    a = PairAt(x + k);
    b = PairAt(y + k);
    if constexpr (kCopy) {
      std::memcpy(toX + k, &a, sizeof a);
      std::memcpy(toY + k, &b, sizeof b);
    }
  };
  TPair minX[2], maxX[2], minY[2], maxY[2], nonFinite[2];
  for (std::size_t h = 0; h < 2; ++h) {
    TPair a, b;
    read(2 * h, a, b);
    minX[h] = maxX[h] = a;
    minY[h] = maxY[h] = b;
    nonFinite[h] = (a - a) + (b - b);
  }
  for (std::size_t k = 4; k < TBlockSummaries::kFan; k += 4) {
    for (std::size_t h = 0; h < 2; ++h) {
      TPair a, b;
      read(k + 2 * h, a, b);
      minX[h] = Least(a, minX[h]);
      maxX[h] = Greatest(a, maxX[h]);
      minY[h] = Least(b, minY[h]);
      maxY[h] = Greatest(b, maxY[h]);
      nonFinite[h] += (a - a) + (b - b);
    }
  }
  const TPair lx = Least(minX[0], minX[1]), gx = Greatest(maxX[0], maxX[1]);
  const TPair ly = Least(minY[0], minY[1]), gy = Greatest(maxY[0], maxY[1]);
  box.MinX = std::min(lx[0], lx[1]);
  box.MaxX = std::max(gx[0], gx[1]);
  box.MinY = std::min(ly[0], ly[1]);
  box.MaxY = std::max(gy[0], gy[1]);
  box.Attributes = attributes;
  const TPair sum = nonFinite[0] + nonFinite[1];
  if (sum[0] + sum[1] != 0) box.Attributes.Kind = TgfItemKind{};
}

}  // namespace

TBoxColumn::TNode TBoxColumn::NewNode() {
  // Storage for boxes, which it creates as an aggregate's storage may be: written before read.
  return TNode(static_cast<TSummaryBox*>(::operator new(kNodeBoxes * sizeof(TSummaryBox))));
}

TBoxColumn::TBoxColumn(const TBoxColumn& other) : m_begin(other.m_begin), m_end(other.m_end) {
  // Every slot before m_end has been written; none after it is read.
  for (std::size_t p = 0; p < m_end; p += kNodeBoxes) {
    m_nodes.push_back(NewNode());
    std::copy_n(&other.At(p), std::min(kNodeBoxes, m_end - p), &At(p));
  }
  if ((m_end & kSlotMask) != 0) m_back = &At(m_end);
}

void TBoxColumn::SeatBack() {
  if ((m_end >> kNodeShift) == m_nodes.size()) m_nodes.push_back(NewNode());
  m_back = &At(m_end);
}

void TBoxColumn::pop_front() noexcept {
  if (++m_begin < kNodeBoxes) return;
  m_nodes.pop_front();
  m_begin -= kNodeBoxes;
  m_end -= kNodeBoxes;
}

TgfItemKind SummaryKind(TgfItemKind kind, std::uint8_t coordMode, std::int32_t layer, std::int32_t param1) {
  if (layer < 1 || layer > 16) return TgfItemKind{};
  if (kind == ikLineTo && (coordMode == 0 || coordMode == 2)) return ikLineTo;
  if (kind == ikMark && coordMode == 0 && param1 == 0) return ikMark;
  return TgfItemKind{};
}

TSummaryBox TSummaryBox::Of(const TgfChartItem& item) {
  TAttributes attributes;
  attributes.Color = item.Color;
  attributes.FillColor = item.FillColor;
  attributes.LineWidth = item.LineWidth;
  attributes.MarkType = item.Kind == ikMark ? item.Param3 : 0;
  attributes.Layer = static_cast<std::uint8_t>(item.Layer);
  attributes.ItemClass = item.ItemClass;
  attributes.PenStyle = item.PenStyle;
  attributes.Kind = SummaryKind(item.Kind, item.CoordMode, item.Layer, item.Param1);
  return OfPoint(attributes, item.X1, item.Y1);
}

void TBlockSummaries::Add(const TSummaryBox& item) {
  if (((m_end + 1) & kLeafMask) != 0) {
    AddWithinBlock(item);
    return;
  }
  // The item is the 16th of its block; the open block holds the other 15.
  TSummaryBox leaf = m_open[0];
  leaf.Merge(item);
  Complete(leaf, m_end + 1);
  ++m_end;
}

void TBlockSummaries::TakeChild(int level, const TSummaryBox& box, std::size_t children) {
  TSummaryBox& open = m_open[static_cast<std::size_t>(level)];
  if (children == 1) {
    open = box;
  } else {
    open.Merge(box);
  }
}

void TBlockSummaries::Complete(const TSummaryBox& leaf, std::size_t end) {
  m_levels[0].push_back(leaf);
  Completed(m_levels[0][m_levels[0].size() - 1], end);
}

void TBlockSummaries::CompleteLeafAt(const TSummaryBox::TAttributes& attributes, const double* x,
                                     const double* y, std::size_t end) {
  TSummaryBox& leaf = m_levels[0].emplace_back();
  MakeLeaf<false>(attributes, x, y, leaf);
  Completed(leaf, end);
}

void TBlockSummaries::CopyLeafAt(const TSummaryBox::TAttributes& attributes, const double* x, const double* y,
                                 double* toX, double* toY, std::size_t end) {
  TSummaryBox& leaf = m_levels[0].emplace_back();
  MakeLeaf<true>(attributes, x, y, leaf, toX, toY);
  Completed(leaf, end);
}

// Inline in this file's appends: this is the step of every 16th point.
inline void TBlockSummaries::Completed(const TSummaryBox& leaf, std::size_t end) {
  const std::size_t children = (end >> kFanShift) & kLeafMask;  // in the open block above, this one included
  if (children != 0) {  // 15 leaves in 16 complete nothing above
    TakeChild(1, leaf, children);
    return;
  }
  try {
    CompleteAbove(leaf, end);
  } catch (...) {
    m_levels[0].pop_back();
    throw;
  }
}

void TBlockSummaries::CompleteAbove(const TSummaryBox& leaf, std::size_t end) {
  // The block completed at each level is the 16th child of its parent when the count of blocks
  // complete at that level is a multiple of 16; the parent then completes too, merged from its
  // first 15 children (the open block) and this one. The open blocks change only once every push
  // has succeeded.
  int pushed = 1;          // levels 0 .. pushed - 1 hold the new blocks
  TSummaryBox box = leaf;  // the block completed at level pushed - 1
  try {
    for (;;) {
      TSummaryBox parent = m_open[static_cast<std::size_t>(pushed)];
      parent.Merge(box);
      box = parent;
      m_levels[static_cast<std::size_t>(pushed)].push_back(box);
      const int level = pushed++;
      if (pushed == kLevels) return;
      const std::size_t children = (end >> Shift(level)) & kLeafMask;  // in the parent, this one included
      if (children != 0) {
        TakeChild(pushed, box, children);
        return;
      }
    }
  } catch (...) {
    while (pushed > 1) m_levels[static_cast<std::size_t>(--pushed)].pop_back();
    throw;
  }
}

void TBlockSummaries::SummarisePoints(const TSummaryBox::TAttributes& attributes, std::size_t from,
                                      const double* x, const double* y) {
  for (std::size_t p = from; p < m_end; ++p) {
    const TSummaryBox box = TSummaryBox::OfPoint(attributes, x[p - from], y[p - from]);
    if ((p & kLeafMask) == 0) {
      m_open[0] = box;
    } else {
      m_open[0].Merge(box);
    }
  }
}

void TBlockSummaries::CompletePoints(const TSummaryBox::TAttributes& attributes, std::size_t from,
                                     const double* x, const double* y) {
  if (from == (m_end & ~kLeafMask)) {
    // The common case: the whole block came point by point; its box straight from the columns.
    CompleteLeafAt(attributes, x, y, m_end + 1);
  } else {
    // The open block holds the items before `from` (maybe of other attributes).
    TSummaryBox leaf = m_open[0];
    for (std::size_t p = from; p <= m_end; ++p) leaf.Merge(TSummaryBox::OfPoint(attributes, x[p - from], y[p - from]));
    Complete(leaf, m_end + 1);
  }
  ++m_end;
}

void TBlockSummaries::AddPoints(const TSummaryBox::TAttributes& attributes, const double* x, const double* y,
                                std::size_t n) {
  std::size_t i = 0;
  for (; i < n && (m_end & kLeafMask) != 0; ++i) Add(TSummaryBox::OfPoint(attributes, x[i], y[i]));
  for (; i + kFan <= n; i += kFan) {
    CompleteLeafAt(attributes, x + i, y + i, m_end + kFan);
    m_end += kFan;
  }
  for (; i < n; ++i) AddWithinBlock(TSummaryBox::OfPoint(attributes, x[i], y[i]));
}

void TBlockSummaries::CopyPoints(const TSummaryBox::TAttributes& attributes, const double* x, const double* y,
                                 double* toX, double* toY, std::size_t n) {
  // The points before the first whole block and after the last are few: copied, then summarised.
  const std::size_t head = std::min(n, (kFan - (m_end & kLeafMask)) & kLeafMask);
  const std::size_t whole = (n - head) & ~kLeafMask;
  std::memcpy(toX, x, head * sizeof(double));
  std::memcpy(toY, y, head * sizeof(double));
  AddPoints(attributes, toX, toY, head);
  for (std::size_t i = head; i < head + whole; i += kFan) {
    CopyLeafAt(attributes, x + i, y + i, toX + i, toY + i, m_end + kFan);
    m_end += kFan;
  }
  const std::size_t tail = head + whole;
  std::memcpy(toX + tail, x + tail, (n - tail) * sizeof(double));
  std::memcpy(toY + tail, y + tail, (n - tail) * sizeof(double));
  AddPoints(attributes, toX + tail, toY + tail, n - tail);
}

TBlockSummaries::TCheckpoint TBlockSummaries::Checkpoint() const {
  TCheckpoint checkpoint{{}, m_open, m_end};
  for (std::size_t level = 0; level < m_levels.size(); ++level) checkpoint.Sizes[level] = m_levels[level].size();
  return checkpoint;
}

void TBlockSummaries::Restore(const TCheckpoint& checkpoint) noexcept {
  for (std::size_t level = 0; level < m_levels.size(); ++level) {
    TBoxColumn& blocks = m_levels[level];
    while (blocks.size() > checkpoint.Sizes[level]) blocks.pop_back();
  }
  m_open = checkpoint.Open;
  m_end = checkpoint.End;
}

void TBlockSummaries::DropBefore(std::size_t base) noexcept {
  for (int level = 0; level < kLevels; ++level) {
    TBoxColumn& blocks = m_levels[static_cast<std::size_t>(level)];
    for (std::size_t first = FirstBlock(level); !blocks.empty() && ((first + 1) << Shift(level)) <= base; ++first) {
      blocks.pop_front();
    }
  }
  m_base = base;
}

std::size_t TBlockSummaries::AllocatedBytes() const {
  std::size_t bytes = 0;
  for (const TBoxColumn& blocks : m_levels) bytes += blocks.size() * sizeof(TSummaryBox);
  return bytes;
}

}  // namespace nox::detail
