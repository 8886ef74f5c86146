#pragma once
// The pending points of a run of line-to items, drawn as one polyline per batch of at most 200
// points. A batch starts at the pen position where the run began (or where the previous batch
// ended), so consecutive batches join without a gap. A part of a batch may be drawn ahead of the
// rest (Ahead): its segments are on the image already, or are known to paint nothing new.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
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
  // Where the next points go, written by the caller and then added by Commit: the free places
  // after the points held (an empty buffer takes start first), at least one.
  std::span<TPoint> Room(TPoint start) {
    if (m_count == 0) m_points[static_cast<std::size_t>(m_count++)] = start;
    return std::span<TPoint>(m_points).subspan(static_cast<std::size_t>(m_count));
  }
  // Adds the first n places of Room().
  void Commit(std::size_t n) { m_count += static_cast<int>(n); }
  // Empties the buffer and puts p in as the first point of the next batch.
  void Restart(TPoint p) {
    m_points[0] = p;
    m_count = 1;
    ForgetAhead();
  }
  void Clear() {
    m_count = 0;
    ForgetAhead();
  }

  // The segments up to point Ahead() - 1 are drawn (none when Ahead() is 0 or 1); the rest are to
  // be drawn from there (from point 0 when Ahead() is 0) with the pattern at AheadPosition().
  int Ahead() const { return m_ahead; }
  // The points whose segments are still to be drawn: from the last one drawn ahead on.
  std::span<const TPoint> NotDrawnAhead() const {
    return Points().subspan(static_cast<std::size_t>(std::max(m_ahead - 1, 0)));
  }
  std::int64_t AheadPosition() const { return m_aheadPosition; }
  // Says that the segments through the last point held are drawn, the pattern reaching
  // `position` at that point.
  void DrawnAhead(std::int64_t position) {
    m_ahead = m_count;
    m_aheadPosition = position;
  }
  // Forgets what was drawn ahead: the whole batch is to be drawn (which paints nothing new where
  // its segments are on the image already).
  void ForgetAhead() {
    m_ahead = 0;
    m_aheadPosition = 0;
  }

 private:
  std::array<TPoint, kCapacity> m_points{};
  int m_count = 0;  // 0..kCapacity
  int m_ahead = 0;                   // 0..m_count
  std::int64_t m_aheadPosition = 0;  // 0 when m_ahead is 0
};

}  // namespace nox::detail
