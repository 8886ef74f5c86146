#pragma once
// Which rows of one column of an image hold a given pixel value, learnt from the image as they are
// asked for and kept as bits. Valid for as long as nothing paints that column but with that value:
// a row found to hold it keeps it, so only rows not yet seen holding it are read again.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/raster_spans.h"

namespace nox::detail {

class TPaintedRows {
 public:
  TPaintedRows(const Surface& surface, std::uint32_t pixel) : m_surface(surface), m_pixel(pixel) {}

  // Whether every pixel (x, y0 .. y1) (y0 <= y1) inside the image holds the pixel value; those
  // outside count as holding it.
  bool All(int x, int y0, int y1) {
    if (x < 0 || x >= m_surface.width) return true;
    const int from = std::max(y0, 0), to = std::min(y1, m_surface.height - 1);
    if (from > to) return true;
    if (x != m_column) {
      m_known.assign(static_cast<std::size_t>(m_surface.height + 63) / 64, 0);
      m_column = x;
    }
    for (int word = from >> 6; word <= to >> 6; ++word) {
      std::uint64_t need = ~std::uint64_t{0};
      if (word == from >> 6) need &= need << (from & 63);
      if (word == to >> 6) need &= ~std::uint64_t{0} >> (63 - (to & 63));
      std::uint64_t& known = m_known[static_cast<std::size_t>(word)];
      for (std::uint64_t unknown = need & ~known; unknown != 0; unknown &= unknown - 1) {
        const int bit = std::countr_zero(unknown);
        if (*m_surface.At(x, word * 64 + bit) != m_pixel) return false;
        known |= std::uint64_t{1} << bit;
      }
    }
    return true;
  }

 private:
  Surface m_surface;
  std::uint32_t m_pixel;
  int m_column = -1;                   // the column m_known describes; none yet
  std::vector<std::uint64_t> m_known;  // rows of m_column found holding the pixel value
};

}  // namespace nox::detail
