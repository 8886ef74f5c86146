#include "chart/model/zoom_history.h"

namespace nox::detail {

void TZoomHistory::Clear() {
  m_slots = {};
  m_position = 1;
}

void TZoomHistory::Push(const TZoomSnapshot& snapshot) {
  m_slots[static_cast<std::size_t>(m_position - 1)] = snapshot;
  m_position = m_position % kSlots + 1;
}

const TZoomSnapshot* TZoomHistory::Recall(int n) const {
  if (n < -(kSlots - 1) || n > 0) return nullptr;
  int s = m_position + n - 1;
  if (s < 1) s += kSlots;
  return &m_slots[static_cast<std::size_t>(s - 1)];
}

const TZoomSnapshot& TZoomHistory::Slot(int s) const {
  const int index = ((s - 1) % kSlots + kSlots) % kSlots;
  return m_slots[static_cast<std::size_t>(index)];
}

}  // namespace nox::detail
