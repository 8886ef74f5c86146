#pragma once
// Which pixel marks were stamped where during one stretch of marks in one colour, so that a mark
// stamped again at the same pixel is not painted twice. A pixel mark sets its pixels to one colour;
// stamping it again changes nothing as long as nothing else painted meanwhile, which the stretch
// guarantees: it starts a new period (Begin) whenever the colour changes or other drawing comes
// between.
//
// The table covers the image plus a border of 3 pixels, as far as a 7 x 7 pattern reaches; a
// centre farther out paints nothing and is not recorded. Periods are told apart by a number kept
// beside each cell, so starting one costs nothing but when the numbers run out. The cells lie
// column by column: marks of a long series follow each other up and down a column, and so do their
// cells.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace nox::detail {

class TMarkStamps {
 public:
  static constexpr int kReach = 3;  // the farthest a pattern's pixel lies from its centre

  // Starts a new period for an image of width x height pixels: nothing stamped yet.
  void Begin(int width, int height) {
    const int columns = std::max(width, 0) + 2 * kReach, rows = std::max(height, 0) + 2 * kReach;
    if (columns != m_columns || rows != m_rows || m_period == kLastPeriod) {
      m_columns = columns;
      m_rows = rows;
      m_cells.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
      m_period = 0;
    }
    ++m_period;
  }

  // The cells of the centres in column x, for many centres in one column.
  class TColumn {
   public:
    // Whether the pattern of bit `pattern` (0..7) may paint at centre (x, y) in this period: false
    // if the centre lies beyond the border or the pattern was stamped there already; true records
    // it.
    bool Take(int y, unsigned pattern) {
      const long long cy = static_cast<long long>(y) + kReach;
      if (m_cells == nullptr || cy < 0 || cy >= m_rows) return false;
      std::uint32_t& cell = m_cells[cy];
      const std::uint32_t bit = 1u << pattern;
      if ((cell >> 8) != m_period) cell = m_period << 8;  // from an earlier period: nothing stamped
      if ((cell & bit) != 0) return false;
      cell |= bit;
      return true;
    }

    // Whether no centre y0 .. y1 (y0 <= y1) may paint the pattern of bit `pattern`: each lies
    // beyond the border or has it stamped in this period. Records nothing.
    bool AllTaken(int y0, int y1, unsigned pattern) const {
      if (m_cells == nullptr) return true;
      const long long from = std::max<long long>(static_cast<long long>(y0) + kReach, 0);
      const long long to = std::min<long long>(static_cast<long long>(y1) + kReach, m_rows - 1);
      const std::uint32_t want = m_period << 8 | 1u << pattern;
      for (long long cy = from; cy <= to; ++cy) {
        if ((m_cells[cy] & (0xFFFFFF00u | 1u << pattern)) != want) return false;
      }
      return true;
    }

   private:
    friend class TMarkStamps;
    std::uint32_t* m_cells = nullptr;  // none: the column lies beyond the border
    long long m_rows = 0;
    std::uint32_t m_period = 0;
  };
  TColumn Column(int x) {
    TColumn column;
    const long long cx = static_cast<long long>(x) + kReach;
    if (cx < 0 || cx >= m_columns) return column;
    column.m_cells = m_cells.data() + static_cast<std::size_t>(cx) * static_cast<std::size_t>(m_rows);
    column.m_rows = m_rows;
    column.m_period = m_period;
    return column;
  }

 private:
  static constexpr std::uint32_t kLastPeriod = (1u << 24) - 1;

  std::vector<std::uint32_t> m_cells;  // column by column; period << 8 | the patterns stamped there
  int m_columns = 0;
  int m_rows = 0;
  std::uint32_t m_period = 0;
};

}  // namespace nox::detail
