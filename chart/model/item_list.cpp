#include "chart/model/item_list.h"

#include <limits>
#include <string>

#include "chart/model/grafon_error.h"

namespace nox::detail {

void TItemList::Grow(int allocSize) {
  const long long grown = static_cast<long long>(Capacity()) + (allocSize < 1 ? 1 : allocSize);
  if (grown > std::numeric_limits<int>::max()) {
    throw ENoxGrafonError("Item list cannot hold more than " +
                          std::to_string(std::numeric_limits<int>::max()) + " items");
  }
  m_items.GrowTo(static_cast<std::size_t>(grown));
}

void TItemList::Clear() {
  m_items.clear();
  m_count = 0;
  m_blocks.Clear();
  LongTexts.Clear();
  LongTextCount = 0;
}

void TItemList::CopyFrom(const TItemList& source, int allocSize) {
  if (&source == this) return;
  const int step = allocSize < 1 ? 1 : allocSize;
  const long long capacity = static_cast<long long>(step) * (source.m_count / step + 1);
  TGfItemContainer items;
  items.GrowTo(static_cast<std::size_t>(capacity));
  for (std::size_t i = 0; i < static_cast<std::size_t>(source.m_count); ++i) items[i] = source.m_items[i];
  TLineBlockTree blocks = source.m_blocks;
  m_items = std::move(items);
  m_blocks = std::move(blocks);
  m_count = source.m_count;
  LongTexts = source.LongTexts;
  LongTextCount = source.LongTextCount;
}

}  // namespace nox::detail
