#pragma once
// One item list of a chart: the item array, its count of used entries and the long-text table that
// its text items refer to. The array's length is the capacity; it grows in steps of the chart's
// AllocSize and never shrinks.

#include <cstddef>
#include <memory>

#include "chart/chart_item.h"

namespace nox::detail {

struct TItemList {
  TGfItemContainer Items;    // length = capacity; entries from Count on are zero
  int Count = 0;             // entries in use
  TLongTextArray LongTexts;  // entries 1..50
  int LongTextCount = 0;     // long-text entries in use

  int Capacity() const { return static_cast<int>(Items.size()); }

  // Writes item behind the last used entry. When the list is full the array first grows by
  // allocSize entries (allocSize >= 1). Throws ENoxGrafonError when the count would pass the
  // largest int, std::bad_alloc when memory runs out; the list is unchanged then.
  void Append(const TgfChartItem& item, int allocSize) {
    if (Count == Capacity()) Grow(allocSize);
    Items[static_cast<std::size_t>(Count)] = item;
    ++Count;
  }

  // Empty, capacity 0, long texts cleared.
  void Clear();

  // Takes over source's used entries and long texts into an array of
  // allocSize * (count / allocSize + 1) entries.
  void CopyFrom(const TItemList& source, int allocSize);

 private:
  void Grow(int allocSize);
};

// Lists are shared between charts that share data; see TCustomGrafon::SetUseDataOf.
using TItemListPtr = std::shared_ptr<TItemList>;

}  // namespace nox::detail
