#include "chart/model/item_container.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace nox {

// Records are created in zeroed storage: a record of zero bytes is the default record, and a record
// is a plain value that is copied as bytes.
static_assert(std::is_trivially_copyable_v<TgfChartItem> && std::is_trivially_destructible_v<TgfChartItem>);

namespace {

constexpr std::size_t kRecordBytes = sizeof(TgfChartItem);

TgfChartItem* ZeroedRecords(std::size_t n) {
  void* p = std::calloc(n, kRecordBytes);
  if (p == nullptr) throw std::bad_alloc();
  return static_cast<TgfChartItem*>(p);
}

// The first chunk's room for n records: doubling from 16, at most a whole chunk.
std::size_t FirstChunkRoom(std::size_t n) {
  std::size_t room = 16;
  while (room < n) room *= 2;
  return room < TGfItemContainer::kChunkItems ? room : TGfItemContainer::kChunkItems;
}

}  // namespace

void TGfItemContainer::TFree::operator()(TgfChartItem* p) const { std::free(p); }

TGfItemContainer::TGfItemContainer(const TGfItemContainer& other) {
  m_chunks.reserve(other.m_chunks.size());
  for (std::size_t c = 0; c < other.m_chunks.size(); ++c) {
    const std::size_t room = c == 0 ? other.m_firstCapacity : kChunkItems;
    TChunk chunk(ZeroedRecords(room));
    std::memcpy(static_cast<void*>(chunk.get()), other.m_chunks[c].get(), room * kRecordBytes);
    m_chunks.push_back(std::move(chunk));
  }
  m_firstCapacity = other.m_firstCapacity;
  m_size = other.m_size;
}

TGfItemContainer& TGfItemContainer::operator=(const TGfItemContainer& other) {
  if (this != &other) {
    TGfItemContainer copy(other);
    *this = std::move(copy);
  }
  return *this;
}

TGfItemContainer::TGfItemContainer(TGfItemContainer&& other) noexcept
    : m_chunks(std::move(other.m_chunks)),
      m_firstCapacity(std::exchange(other.m_firstCapacity, 0)),
      m_size(std::exchange(other.m_size, 0)) {
  other.m_chunks.clear();
}

TGfItemContainer& TGfItemContainer::operator=(TGfItemContainer&& other) noexcept {
  if (this != &other) {
    m_chunks = std::move(other.m_chunks);
    other.m_chunks.clear();
    m_firstCapacity = std::exchange(other.m_firstCapacity, 0);
    m_size = std::exchange(other.m_size, 0);
  }
  return *this;
}

TGfItemContainer::~TGfItemContainer() = default;

void TGfItemContainer::GrowTo(std::size_t n) {
  if (n <= m_size) return;
  // Room in the first chunk first; it may move, which only small lists pay for.
  const std::size_t firstRoom = FirstChunkRoom(n);
  std::size_t firstCapacity = m_firstCapacity;
  if (firstRoom > m_firstCapacity) {
    if (m_chunks.empty()) {
      m_chunks.reserve(1);
      m_chunks.emplace_back(ZeroedRecords(firstRoom));
    } else {
      void* grown = std::realloc(m_chunks[0].get(), firstRoom * kRecordBytes);
      if (grown == nullptr) throw std::bad_alloc();
      static_cast<void>(m_chunks[0].release());
      m_chunks[0].reset(static_cast<TgfChartItem*>(grown));
      std::memset(static_cast<void*>(m_chunks[0].get() + m_firstCapacity), 0,
                  (firstRoom - m_firstCapacity) * kRecordBytes);
    }
    firstCapacity = firstRoom;
  }
  m_firstCapacity = firstCapacity;
  // Then whole chunks; all of them or none, so that a failure leaves the length as it was.
  const std::size_t chunksNeeded = (n + kChunkItems - 1) >> kChunkShift;
  if (chunksNeeded > m_chunks.size()) {
    std::vector<TChunk> added;
    added.reserve(chunksNeeded - m_chunks.size());
    while (m_chunks.size() + added.size() < chunksNeeded) added.emplace_back(ZeroedRecords(kChunkItems));
    m_chunks.reserve(chunksNeeded);
    for (TChunk& chunk : added) m_chunks.push_back(std::move(chunk));
  }
  m_size = n;
}

void TGfItemContainer::clear() {
  m_chunks.clear();
  m_chunks.shrink_to_fit();
  m_firstCapacity = 0;
  m_size = 0;
}

std::size_t TGfItemContainer::AllocatedBytes() const {
  const std::size_t records = m_chunks.empty() ? 0 : m_firstCapacity + (m_chunks.size() - 1) * kChunkItems;
  return records * kRecordBytes + m_chunks.capacity() * sizeof(TChunk);
}

bool operator==(const TGfItemContainer& a, const TGfItemContainer& b) {
  if (a.m_size != b.m_size) return false;
  for (std::size_t i = 0; i < a.m_size; ++i) {
    if (!(a[i] == b[i])) return false;
  }
  return true;
}

}  // namespace nox
