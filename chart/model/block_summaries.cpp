#include "chart/model/block_summaries.h"

#include <algorithm>

namespace nox::detail {

namespace {

constexpr std::size_t kLeafMask = TBlockSummaries::kFan - 1;

// The box of the 16 points x[0..15], y[0..15], all with the given attributes. Without a branch per
// point: an infinity shows in the box, a NaN in `unordered` (or, as the first point, in the box).
TSummaryBox LeafOf(const TSummaryBox::TAttributes& attributes, const double* x, const double* y) {
  if (attributes.Kind == TgfItemKind{}) return {x[0], x[0], y[0], y[0], attributes};
  double minX = x[0], maxX = x[0], minY = y[0], maxY = y[0];
  bool unordered = false;
  for (std::size_t k = 1; k < TBlockSummaries::kFan; ++k) {
    minX = x[k] < minX ? x[k] : minX;
    maxX = x[k] > maxX ? x[k] : maxX;
    minY = y[k] < minY ? y[k] : minY;
    maxY = y[k] > maxY ? y[k] : maxY;
    unordered |= std::isnan(x[k]);
    unordered |= std::isnan(y[k]);
  }
  TSummaryBox box{minX, maxX, minY, maxY, attributes};
  if (unordered || !(std::isfinite(minX) && std::isfinite(maxX) && std::isfinite(minY) && std::isfinite(maxY))) {
    box.Attributes.Kind = TgfItemKind{};
  }
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
  TSummaryBox parent;  // a parent completed (one block in 16)
  const TSummaryBox* box = &leaf;
  try {
    for (;;) {
      m_levels[static_cast<std::size_t>(pushed)].push_back(*box);
      const int level = pushed++;
      if (pushed == kLevels) return;
      const std::size_t children = (end >> Shift(level)) & kLeafMask;  // in the parent, this one included
      if (children != 0) {
        // The open block above takes it as its next child.
        TSummaryBox& open = m_open[static_cast<std::size_t>(pushed)];
        if (children == 1) {
          open = *box;
        } else {
          open.Merge(*box);
        }
        return;
      }
      TSummaryBox merged = m_open[static_cast<std::size_t>(pushed)];
      merged.Merge(*box);
      parent = merged;
      box = &parent;
    }
  } catch (...) {
    while (pushed > 0) m_levels[static_cast<std::size_t>(--pushed)].pop_back();
    throw;
  }
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
