#include "chart/model/block_summaries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace nox::detail {

namespace {

constexpr std::size_t kLeafMask = TBlockSummaries::kFan - 1;

// The box of the 16 points x[0..15], y[0..15], all with the given attributes. In four independent
// lanes without a branch per point, so that the comparisons do not wait on each other; any value
// that is not finite (NaN or infinite) leaves the box not uniform.
TSummaryBox LeafOf(const TSummaryBox::TAttributes& attributes, const double* x, const double* y) {
  if (attributes.Kind == TgfItemKind{}) return {x[0], x[0], y[0], y[0], attributes};
  constexpr std::size_t kLanes = 4;
  constexpr double kLargest = std::numeric_limits<double>::max();
  std::array<double, kLanes> minX{}, maxX{}, minY{}, maxY{};
  std::array<bool, kLanes> finite{};
  for (std::size_t l = 0; l < kLanes; ++l) {
    minX[l] = maxX[l] = x[l];
    minY[l] = maxY[l] = y[l];
    finite[l] = std::abs(x[l]) <= kLargest && std::abs(y[l]) <= kLargest;
  }
  for (std::size_t k = kLanes; k < TBlockSummaries::kFan; k += kLanes) {
    for (std::size_t l = 0; l < kLanes; ++l) {
      const double a = x[k + l], b = y[k + l];
      minX[l] = a < minX[l] ? a : minX[l];
      maxX[l] = a > maxX[l] ? a : maxX[l];
      minY[l] = b < minY[l] ? b : minY[l];
      maxY[l] = b > maxY[l] ? b : maxY[l];
      finite[l] = finite[l] && std::abs(a) <= kLargest && std::abs(b) <= kLargest;
    }
  }
  TSummaryBox box{minX[0], maxX[0], minY[0], maxY[0], attributes};
  bool allFinite = finite[0];
  for (std::size_t l = 1; l < kLanes; ++l) {
    box.MinX = minX[l] < box.MinX ? minX[l] : box.MinX;
    box.MaxX = maxX[l] > box.MaxX ? maxX[l] : box.MaxX;
    box.MinY = minY[l] < box.MinY ? minY[l] : box.MinY;
    box.MaxY = maxY[l] > box.MaxY ? maxY[l] : box.MaxY;
    allFinite = allFinite && finite[l];
  }
  if (!allFinite) box.Attributes.Kind = TgfItemKind{};
  return box;
}

}  // namespace

TBoxColumn::TBoxColumn(const TBoxColumn& other) : m_begin(other.m_begin), m_end(other.m_end) {
  for (std::size_t p = 0; p < m_end; p += kNodeBoxes) {
    AddNode();
    std::copy_n(&other.At(p), kNodeBoxes, &At(p));
  }
}

void TBoxColumn::AddNode() { m_nodes.push_back(std::make_unique<TSummaryBox[]>(kNodeBoxes)); }

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

void TBlockSummaries::AddLeaf(const TSummaryBox& leaf) {
  Complete(leaf, m_end + kFan);
  m_end += kFan;
}

void TBlockSummaries::Complete(const TSummaryBox& leaf, std::size_t end) {
  // The block completed at each level is the 16th child of its parent when the count of blocks
  // complete at that level is a multiple of 16; the parent then completes too, merged from its
  // first 15 children (the open block) and this one. The open blocks change only once every push
  // has succeeded.
  int pushed = 0;
  TSummaryBox box = leaf;  // the block completed at level `pushed`
  try {
    for (;;) {
      m_levels[static_cast<std::size_t>(pushed)].push_back(box);
      const int level = pushed++;
      if (pushed == kLevels) return;
      const std::size_t children = (end >> Shift(level)) & kLeafMask;  // in the parent, this one included
      TSummaryBox& open = m_open[static_cast<std::size_t>(pushed)];
      if (children != 0) {
        // The open block above takes it as its next child.
        if (children == 1) {
          open = box;
        } else {
          open.Merge(box);
        }
        return;
      }
      TSummaryBox parent = open;
      parent.Merge(box);
      box = parent;
    }
  } catch (...) {
    while (pushed > 0) m_levels[static_cast<std::size_t>(--pushed)].pop_back();
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
    Complete(LeafOf(attributes, x, y), m_end + 1);
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
  for (; i + kFan <= n; i += kFan) AddLeaf(LeafOf(attributes, x + i, y + i));
  for (; i < n; ++i) AddWithinBlock(TSummaryBox::OfPoint(attributes, x[i], y[i]));
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
