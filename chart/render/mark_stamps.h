#pragma once
// Which pixel marks were stamped where during one stretch of marks in one colour, so that a mark
// stamped again at the same pixel is not painted twice. A pixel mark sets its pixels to one colour;
// stamping it again changes nothing as long as nothing else painted meanwhile, which the stretch
// guarantees: it starts a new period (Begin) whenever the colour changes or other drawing comes
// between.
//
// The table covers the image plus a border of 3 pixels, as far as a 7 x 7 pattern reaches; a
// centre farther out paints nothing and is not recorded. Each column keeps one row of bits per
// pattern, so that whether a span of centres in a column has a pattern stamped takes a few words,
// and the number of the period it was last touched in: a column from an earlier period is emptied
// when it is next asked for, so starting a period costs nothing but when the numbers run out.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace nox::detail {

// The bits set in v. (std::popcount becomes a library call where the processor's own instruction
// may not be assumed, slower than these few operations.)
inline int BitCount(std::uint64_t v) {
  v -= (v >> 1) & 0x5555555555555555u;
  v = (v & 0x3333333333333333u) + ((v >> 2) & 0x3333333333333333u);
  v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int>((v * 0x0101010101010101u) >> 56);
}

class TMarkStamps {
 public:
  static constexpr int kReach = 3;     // the farthest a pattern's pixel lies from its centre
  static constexpr int kPatterns = 8;  // the pattern bits 0 .. 7

  // Starts a new period for an image of width x height pixels: nothing stamped yet.
  void Begin(int width, int height) {
    const int columns = std::max(width, 0) + 2 * kReach, rows = std::max(height, 0) + 2 * kReach;
    const int words = (rows + 63) / 64;
    if (columns != m_columns || words != m_words || m_period == kLastPeriod) {
      m_columns = columns;
      m_words = words;
      m_periods.assign(static_cast<std::size_t>(columns), 0);
      m_bits.assign(static_cast<std::size_t>(columns) * kPatterns * static_cast<std::size_t>(words), 0);
      m_marked.assign(static_cast<std::size_t>(words) * 64 + 1, 0);
      m_period = 0;
    }
    m_rows = rows;
    ++m_period;
  }

  // The stamps of the centres in column x, for many centres in one column.
  class TColumn {
   public:
    // Whether the pattern of bit `pattern` (0..7) may paint at centre (x, y) in this period: false
    // if the centre lies beyond the border or the pattern was stamped there already; true records
    // it.
    bool Take(int y, unsigned pattern) {
      const long long cy = static_cast<long long>(y) + kReach;
      if (m_bits == nullptr || cy < 0 || cy >= m_rows) return false;
      std::uint64_t& word =
          m_bits[static_cast<std::size_t>(pattern) * m_words + static_cast<std::size_t>(cy >> 6)];
      const std::uint64_t bit = std::uint64_t{1} << (cy & 63);
      if ((word & bit) != 0) return false;
      word |= bit;
      return true;
    }

    // How many centres y0 .. y1 (y0 <= y1) may paint the pattern of bit `pattern`: those within
    // the border that do not have it stamped in this period. Records nothing.
    int Untaken(int y0, int y1, unsigned pattern) const {
      if (m_bits == nullptr) return 0;
      const long long from = std::max<long long>(static_cast<long long>(y0) + kReach, 0);
      const long long to = std::min<long long>(static_cast<long long>(y1) + kReach, m_rows - 1);
      int count = 0;
      const std::uint64_t* words = m_bits + static_cast<std::size_t>(pattern) * m_words;
      for (long long w = from >> 6; w <= to >> 6 && from <= to; ++w) {
        std::uint64_t need = ~std::uint64_t{0};
        if (w == from >> 6) need &= need << (from & 63);
        if (w == to >> 6) need &= ~std::uint64_t{0} >> (63 - (to & 63));
        count += BitCount(need & ~words[w]);
      }
      return count;
    }

    // Take for each row of `rows` in turn with the pattern of bit `pattern`, for many centres at
    // once: paint(y) comes once for each row that Take would answer true for, in increasing order
    // rather than in the order of `rows`.
    template <class Paint>
    void TakeRows(std::span<const int> rows, unsigned pattern, Paint&& paint) {
      if (m_bits == nullptr || rows.empty()) return;
      // Each row marks a byte first, so that no row waits for the one before (as setting bits of
      // one word would); a row beyond the border marks a spare byte past the others.
      const auto spare = static_cast<long long>(m_words * 64);
      long long low = spare, high = -1;
      for (const int y : rows) {
        const long long cy = static_cast<long long>(y) + kReach;
        const bool inside = cy >= 0 && cy < m_rows;
        m_marked[static_cast<std::size_t>(inside ? cy : spare)] = 1;
        low = std::min(low, inside ? cy : spare);
        high = std::max(high, inside ? cy : -1);
      }
      std::uint64_t* words = m_bits + static_cast<std::size_t>(pattern) * m_words;
      for (long long w = low >> 6; w <= high >> 6; ++w) {
        std::uint8_t* bytes = m_marked + w * 64;
        std::uint64_t marked = 0;
        for (int k = 0; k < 8; ++k) {
          std::uint64_t eight;
          std::memcpy(&eight, bytes + 8 * k, sizeof eight);
          // Bytes of 0 or 1 to bits, byte i to bit i (their products do not carry into the top byte).
          marked |= (eight * 0x0102040810204080u >> 56) << (8 * k);
        }
        std::fill_n(bytes, 64, std::uint8_t{0});
        std::uint64_t fresh = marked & ~words[w];
        words[w] |= marked;
        for (; fresh != 0; fresh &= fresh - 1)
          paint(static_cast<int>(w * 64 + std::countr_zero(fresh)) - kReach);
      }
    }

   private:
    friend class TMarkStamps;
    std::uint64_t* m_bits = nullptr;  // none: the column lies beyond the border
    std::uint8_t* m_marked = nullptr;  // TakeRows' rows (m_words * 64 bytes and a spare), clear between calls
    std::size_t m_words = 0;          // per pattern
    long long m_rows = 0;
  };
  TColumn Column(int x) {
    TColumn column;
    const long long cx = static_cast<long long>(x) + kReach;
    if (cx < 0 || cx >= m_columns) return column;
    const std::size_t words = kPatterns * static_cast<std::size_t>(m_words);
    column.m_bits = m_bits.data() + static_cast<std::size_t>(cx) * words;
    std::uint32_t& period = m_periods[static_cast<std::size_t>(cx)];
    if (period != m_period) {
      std::fill_n(column.m_bits, words, 0);
      period = m_period;
    }
    column.m_marked = m_marked.data();
    column.m_words = static_cast<std::size_t>(m_words);
    column.m_rows = m_rows;
    return column;
  }

 private:
  static constexpr std::uint32_t kLastPeriod = ~std::uint32_t{0};

  std::vector<std::uint64_t> m_bits;     // column by column, pattern by pattern, rows as bits
  std::vector<std::uint32_t> m_periods;  // per column, the period its bits belong to
  std::vector<std::uint8_t> m_marked;    // one column's rows for TakeRows, and a spare byte
  int m_columns = 0;
  int m_rows = 0;
  int m_words = 0;  // per pattern and column
  std::uint32_t m_period = 0;
};

}  // namespace nox::detail
