#pragma once
// TGfItemContainer: the dynamic array of item records behind a display list. Its length is the
// list's capacity (it grows in the chart's AllocSize steps, never shrinks except by clear()); the
// entries beyond the list's count are zero records.
//
// The records live in chunks of kChunkItems, so that growing never moves or copies the records
// already there, and a large list holds at most one partly used chunk beyond its length instead of
// the up to doubled storage of a geometrically growing array. A small list keeps its records in a
// first chunk that grows to the full chunk size (doubling, then exact), so a chart with a few items
// does not hold a whole chunk. References to records of later chunks stay valid while the
// container grows; records of the first chunk may move until it is full.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/model/chart_item.h"

namespace nox {

class TGfItemContainer {
 public:
  static constexpr int kChunkShift = 13;
  static constexpr std::size_t kChunkItems = std::size_t{1} << kChunkShift;  // 8192 records, 832 KiB

  TGfItemContainer() = default;
  TGfItemContainer(const TGfItemContainer& other);
  TGfItemContainer& operator=(const TGfItemContainer& other);
  TGfItemContainer(TGfItemContainer&& other) noexcept;
  TGfItemContainer& operator=(TGfItemContainer&& other) noexcept;
  ~TGfItemContainer();

  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  // Index must be below size().
  const TgfChartItem& operator[](std::size_t i) const {
    return m_chunks[i >> kChunkShift][i & (kChunkItems - 1)];
  }
  TgfChartItem& operator[](std::size_t i) { return m_chunks[i >> kChunkShift][i & (kChunkItems - 1)]; }

  // Lengthens to n entries (n >= size(); smaller values change nothing); the new entries are zero
  // records. Throws std::bad_alloc when memory runs out, leaving the container as it was.
  void GrowTo(std::size_t n);
  // Empty, all storage freed.
  void clear();

  // Bytes of record storage held (chunks and the chunk table).
  std::size_t AllocatedBytes() const;

  friend bool operator==(const TGfItemContainer& a, const TGfItemContainer& b);

 private:
  struct TFree {
    void operator()(TgfChartItem* p) const;
  };
  using TChunk = std::unique_ptr<TgfChartItem[], TFree>;

  std::vector<TChunk> m_chunks;
  std::size_t m_firstCapacity = 0;  // records the first chunk has room for (kChunkItems once full)
  std::size_t m_size = 0;
};

}  // namespace nox
