#pragma once
// One item list of a chart: its items (a series store: plain points in columns, other items as
// records, and the block summaries of both) and the long-text table that its text items refer to.
// The store's capacity is the length of the array the API shows; it grows in steps of the chart's
// AllocSize and shrinks only when the list is cleared. Items are appended, removed from the front
// or the list cleared or copied as a whole, which keeps the summaries in step with the items.

#include <cstddef>
#include <memory>
#include <span>

#include "chart/model/chart_item.h"
#include "chart/model/series_store.h"

namespace nox::detail {

class TItemList {
 public:
  const TSeriesStore& Items() const { return m_items; }  // length = capacity; from Count on zero
  int Count() const { return m_items.Count(); }          // entries in use
  int Capacity() const { return m_items.Capacity(); }
  const TBlockSummaries& Blocks() const { return m_items.Blocks(); }

  TLongTextArray LongTexts;  // entries 1..50
  int LongTextCount = 0;     // long-text entries in use

  // Appends behind the last used entry; when the list is full the capacity first grows by
  // allocSize entries (allocSize >= 1). Throws ENoxGrafonError when the capacity would pass the
  // largest int, std::bad_alloc when memory runs out, std::invalid_argument for spans of different
  // lengths; the list is unchanged then. With a limit set, the oldest items beyond it go.
  void Append(const TgfChartItem& item, int allocSize) {
    m_items.Append(item, allocSize);
    KeepLimit();
  }
  // penSerial: as TSeriesStore::AppendPoint's.
  void AppendPoint(TgfItemKind kind, const TPointPen& pen, double x, double y, int allocSize,
                   std::uint64_t penSerial = 0) {
    m_items.AppendPoint(kind, pen, x, y, allocSize, penSerial);
    KeepLimit();
  }
  // A move-to at the first point and line-tos to the others.
  void AppendSeries(const TPointPen& pen, std::span<const double> x, std::span<const double> y,
                    int allocSize) {
    m_items.AppendPoints(ikMoveTo, ikLineTo, pen, x, y, allocSize);
    KeepLimit();
  }
  void AppendSeries(const TPointPen& pen, double x0, double dx, std::span<const double> y, int allocSize) {
    m_items.AppendPoints(ikMoveTo, ikLineTo, pen, x0, dx, y, allocSize);
    KeepLimit();
  }

  // Removes the n oldest items (all when n >= Count()); the capacity and the long texts stay.
  void RemoveFirst(std::size_t n) noexcept { m_items.RemoveOldest(n); }
  // The most items kept (0: no limit); setting it removes the oldest beyond it.
  int Limit() const { return m_limit; }
  void SetLimit(int limit) noexcept {
    m_limit = limit < 0 ? 0 : limit;
    KeepLimit();
  }
  // Empty, capacity 0, long texts cleared.
  void Clear();

  // Takes over source's used entries, long texts and limit into an array of
  // allocSize * (count / allocSize + 1) entries.
  void CopyFrom(const TItemList& source, int allocSize);

  // Bytes held by the items and their summaries.
  std::size_t AllocatedBytes() const { return m_items.AllocatedBytes(); }

 private:
  void KeepLimit() noexcept {
    if (m_limit > 0 && m_items.Count() > m_limit) {
      m_items.RemoveOldest(static_cast<std::size_t>(m_items.Count() - m_limit));
    }
  }

  TSeriesStore m_items;
  int m_limit = 0;
};

// Lists are shared between charts that share data; see TCustomGrafon::SetUseDataOf.
using TItemListPtr = std::shared_ptr<TItemList>;

}  // namespace nox::detail

namespace nox {
// The read-only view of an item list that DataItems() and AnnotationItems() give: size() is the
// capacity, [i] item i's record by value (a zero record from the count on).
using TGfItemView = detail::TSeriesStore;
}  // namespace nox
