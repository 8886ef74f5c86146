#pragma once
// The chart's zoom history: a ring of 16 snapshots, each holding the X and Y ranges of all 16
// layers, and the write position P (1..16) of the next snapshot.

#include <array>

namespace nox::detail {

struct TLayerRanges {
  double XLow = 0;
  double XHigh = 0;
  double YLow = 0;
  double YHigh = 0;

  // A layer that was never recorded in a slot has all four values zero.
  bool IsEmpty() const { return XLow == 0 && XHigh == 0 && YLow == 0 && YHigh == 0; }
  friend bool operator==(const TLayerRanges&, const TLayerRanges&) = default;
};

using TZoomSnapshot = std::array<TLayerRanges, 16>;  // index 0 is layer 1

class TZoomHistory {
 public:
  static constexpr int kSlots = 16;

  // Every slot zero, P = 1.
  void Clear();
  // Stores snapshot in slot P and advances P (after 16 comes 1).
  void Push(const TZoomSnapshot& snapshot);
  // The snapshot n steps back from the newest (n = 0 the newest, -15 the oldest);
  // nullptr for n outside -15..0.
  const TZoomSnapshot* Recall(int n) const;

  int WritePosition() const { return m_position; }
  // Slot s (1..16); s outside is taken modulo the ring.
  const TZoomSnapshot& Slot(int s) const;

  friend bool operator==(const TZoomHistory&, const TZoomHistory&) = default;

 private:
  std::array<TZoomSnapshot, kSlots> m_slots{};
  int m_position = 1;  // 1..16
};

}  // namespace nox::detail
