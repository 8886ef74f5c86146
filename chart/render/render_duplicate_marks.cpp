#include "chart/render/render_duplicate_marks.h"

#include <algorithm>

namespace nox::detail {

void TDuplicateMarkMap::Reset(int width, int height, int distance) {
  m_distance = std::clamp(distance, 1, 3);
  m_columns = std::max(width, 0) + 2 * m_distance;
  m_rows = std::max(height, 0) + 2 * m_distance;
  m_cells.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), -1);
}

bool TDuplicateMarkMap::SeenOrRecord(int x, int y, std::uint8_t markType) {
  // The cell of pixel (x, y) is (x + d, y + d).
  const long long cx = static_cast<long long>(x) + m_distance;
  const long long cy = static_cast<long long>(y) + m_distance;
  if (cx < 0 || cx >= m_columns || cy < 0 || cy >= m_rows) return false;
  const auto cell = [this](long long column, long long row) -> std::int16_t& {
    return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
                   static_cast<std::size_t>(column)];
  };
  if (cell(cx, cy) == markType) return true;
  const long long left = std::max<long long>(cx - m_distance, 0);
  const long long right = std::min<long long>(cx + m_distance, m_columns - 1);
  const long long top = std::max<long long>(cy - m_distance, 0);
  const long long bottom = std::min<long long>(cy + m_distance, m_rows - 1);
  for (long long row = top; row <= bottom; ++row) {
    for (long long column = left; column <= right; ++column) cell(column, row) = markType;
  }
  return false;
}

}  // namespace nox::detail
