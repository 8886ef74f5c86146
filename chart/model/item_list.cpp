#include "chart/model/item_list.h"

#include <utility>

namespace nox::detail {

void TItemList::Clear() {
  m_items.Clear();
  LongTexts.Clear();
  LongTextCount = 0;
}

void TItemList::CopyFrom(const TItemList& source, int allocSize) {
  if (&source == this) return;
  TLongTextArray texts = source.LongTexts;
  m_items.CopyFrom(source.m_items, allocSize);
  LongTexts = std::move(texts);
  LongTextCount = source.LongTextCount;
  m_limit = source.m_limit;
}

}  // namespace nox::detail
