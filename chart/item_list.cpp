#include "chart/item_list.h"

#include <limits>
#include <string>

#include "chart/grafon_error.h"

namespace nox::detail {

void TItemList::Grow(int allocSize) {
  const long long grown = static_cast<long long>(Capacity()) + (allocSize < 1 ? 1 : allocSize);
  if (grown > std::numeric_limits<int>::max()) {
    throw ENoxGrafonError("Item list cannot hold more than " +
                          std::to_string(std::numeric_limits<int>::max()) + " items");
  }
  // std::vector grows its storage geometrically underneath, so stepping the length by allocSize
  // still costs amortised constant time per item.
  Items.resize(static_cast<std::size_t>(grown));
}

void TItemList::Clear() {
  Items.clear();
  Items.shrink_to_fit();
  Count = 0;
  LongTexts.Clear();
  LongTextCount = 0;
}

void TItemList::CopyFrom(const TItemList& source, int allocSize) {
  if (&source == this) return;
  const int step = allocSize < 1 ? 1 : allocSize;
  const long long capacity = static_cast<long long>(step) * (source.Count / step + 1);
  TGfItemContainer items(static_cast<std::size_t>(capacity));
  std::copy_n(source.Items.begin(), source.Count, items.begin());
  Items = std::move(items);
  Count = source.Count;
  LongTexts = source.LongTexts;
  LongTextCount = source.LongTextCount;
}

}  // namespace nox::detail
