#pragma once
// One item list of a chart: the item array, its count of used entries, the block summaries of its
// line-to runs and the long-text table that its text items refer to. The array's length is the
// capacity; it grows in steps of the chart's AllocSize and never shrinks. Items are only appended
// (or the list cleared or copied as a whole), which keeps the summaries in step with the items.

#include <cstddef>
#include <memory>

#include "chart/model/chart_item.h"
#include "chart/model/item_container.h"
#include "chart/model/line_block_tree.h"

namespace nox::detail {

class TItemList {
 public:
  const TGfItemContainer& Items() const { return m_items; }  // length = capacity; from Count on zero
  int Count() const { return m_count; }                      // entries in use
  int Capacity() const { return static_cast<int>(m_items.size()); }
  const TLineBlockTree& Blocks() const { return m_blocks; }

  TLongTextArray LongTexts;  // entries 1..50
  int LongTextCount = 0;     // long-text entries in use

  // Writes item behind the last used entry. When the list is full the array first grows by
  // allocSize entries (allocSize >= 1). Throws ENoxGrafonError when the count would pass the
  // largest int, std::bad_alloc when memory runs out; the list is unchanged then.
  void Append(const TgfChartItem& item, int allocSize) {
    if (m_count == Capacity()) Grow(allocSize);
    const auto slot = static_cast<std::size_t>(m_count);
    m_items[slot] = item;
    try {
      m_blocks.Appended(m_items, slot + 1);
    } catch (...) {
      m_items[slot] = TgfChartItem{};  // entries from Count on stay zero
      throw;
    }
    ++m_count;
  }

  // Empty, capacity 0, long texts cleared.
  void Clear();

  // Takes over source's used entries and long texts into an array of
  // allocSize * (count / allocSize + 1) entries.
  void CopyFrom(const TItemList& source, int allocSize);

  // Bytes held by the records and their summaries.
  std::size_t AllocatedBytes() const { return m_items.AllocatedBytes() + m_blocks.AllocatedBytes(); }

 private:
  void Grow(int allocSize);

  TGfItemContainer m_items;
  int m_count = 0;
  TLineBlockTree m_blocks;
};

// Lists are shared between charts that share data; see TCustomGrafon::SetUseDataOf.
using TItemListPtr = std::shared_ptr<TItemList>;

}  // namespace nox::detail
