#pragma once
// The pending points of a run of line-to items, drawn as one polyline per batch of at most 200
// points. A batch starts at the pen position where the run began (or where the previous batch
// ended), so consecutive batches join without a gap.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "platform/geometry.h"

namespace nox::detail {

class TPolylineBuffer {
 public:
  static constexpr int kCapacity = 200;

  int Count() const { return m_count; }
  std::span<const TPoint> Points() const { return {m_points.data(), static_cast<std::size_t>(m_count)}; }
  TPoint Last() const { return m_points[static_cast<std::size_t>(m_count - 1)]; }

  // Adds p; into an empty buffer start goes first. Returns true when the buffer is full: the caller
  // draws it and continues with Restart(p).
  bool Add(TPoint start, TPoint p) {
    if (m_count == 0) m_points[static_cast<std::size_t>(m_count++)] = start;
    m_points[static_cast<std::size_t>(m_count++)] = p;
    return m_count == kCapacity;
  }
  // Adds points from the front of `points` as Add does one by one, up to the first that fills
  // the buffer; returns how many it took.
  std::size_t AddSome(TPoint start, std::span<const TPoint> points) {
    if (points.empty()) return 0;
    if (m_count == 0) m_points[static_cast<std::size_t>(m_count++)] = start;
    const std::size_t n = std::min(points.size(), static_cast<std::size_t>(kCapacity - m_count));
    std::copy_n(points.begin(), n, m_points.begin() + m_count);
    m_count += static_cast<int>(n);
    return n;
  }
  // Empties the buffer and puts p in as the first point of the next batch.
  void Restart(TPoint p) {
    m_points[0] = p;
    m_count = 1;
  }
  void Clear() { m_count = 0; }

 private:
  std::array<TPoint, kCapacity> m_points{};
  int m_count = 0;  // 0..kCapacity
};

}  // namespace nox::detail
