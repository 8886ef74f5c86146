// Run-length encoded BMP data (RLE8 and RLE4), always stored bottom-up.
//
// The stream is a sequence of two-byte codes: (n > 0, v) repeats v n times (RLE4: the two nibbles of
// v in turn); (0, 0) ends the row; (0, 1) ends the bitmap; (0, 2, dx, dy) moves the position right
// and up; (0, n >= 3) is followed by n literal indexes, padded to an even number of bytes.
//
// Pixels that the stream never writes (skipped by a delta, cut short by an end of row or of the
// bitmap) take palette colour 0, as if their index were 0. Pixels that would land right of the
// row's end or above the top row are dropped, so sloppy encoders that pad runs still load; indexes
// of pixels that land in the image must lie inside the palette. A stream that ends before its
// end-of-bitmap code is refused as truncated.
#include "platform/bmp_layout.h"

#include <algorithm>
#include <string>

#include "platform/object.h"

namespace nox::detail {

namespace {

class RleWriter {
 public:
  RleWriter(const BmpLayout& layout, std::vector<std::uint32_t>& pixels)
      : m_layout(layout), m_pixels(pixels) {}

  // Writes one index at the current position and moves right.
  void Put(unsigned index) {
    if (m_x < m_layout.Width && m_row < m_layout.Height) {
      const int y = m_layout.Height - 1 - m_row;
      if (index >= static_cast<unsigned>(m_layout.PaletteSize)) {
        ThrowBadPaletteIndex(index, m_x, y, m_layout.PaletteSize);
      }
      m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_layout.Width) +
               static_cast<std::size_t>(m_x)] = m_layout.Palette[index];
      ++m_x;
    }
  }
  // Writes count pixels alternating between two indexes (equal ones for RLE8).
  void Run(int count, unsigned first, unsigned second) {
    if (m_row >= m_layout.Height) return;
    const int n = std::min(count, m_layout.Width - m_x);
    if (n <= 0) return;
    const int y = m_layout.Height - 1 - m_row;
    const auto size = static_cast<unsigned>(m_layout.PaletteSize);
    if (first >= size) ThrowBadPaletteIndex(first, m_x, y, m_layout.PaletteSize);
    if (n > 1 && second >= size) ThrowBadPaletteIndex(second, m_x + 1, y, m_layout.PaletteSize);
    const std::uint32_t colours[2] = {m_layout.Palette[first], m_layout.Palette[second]};
    std::uint32_t* dst = m_pixels.data() +
                         static_cast<std::size_t>(y) * static_cast<std::size_t>(m_layout.Width) +
                         static_cast<std::size_t>(m_x);
    for (int i = 0; i < n; ++i) dst[i] = colours[i & 1];
    m_x += n;
  }
  // Skips n pixels that the stream does not write; positions stay clamped to the image edge.
  void Skip(int n) { m_x = std::min(m_x + n, m_layout.Width); }
  void EndOfLine() {
    m_x = 0;
    m_row = std::min(m_row + 1, m_layout.Height);
  }
  void Delta(int dx, int dy) {
    Skip(dx);
    m_row = std::min(m_row + dy, m_layout.Height);
  }
  // Once the position has left the row, the rest of a run can be skipped at once.
  bool RowFull() const { return m_x >= m_layout.Width || m_row >= m_layout.Height; }

 private:
  const BmpLayout& m_layout;
  std::vector<std::uint32_t>& m_pixels;
  int m_x = 0;
  int m_row = 0;  // stored row, 0 at the bottom
};

[[noreturn]] void FailTruncated(std::size_t code, std::size_t size) {
  if (code >= size) {
    throw EInvalidGraphic("BMP RLE data truncated: it ends after " + std::to_string(size) +
                          " bytes without an end-of-bitmap code");
  }
  throw EInvalidGraphic("BMP RLE data truncated: the code at byte " + std::to_string(code) +
                        " runs past the end of the data (" + std::to_string(size) + " bytes)");
}

}  // namespace

std::vector<std::uint32_t> DecodeRleBmp(const BmpLayout& layout, std::span<const std::uint8_t> file) {
  const std::size_t width = static_cast<std::size_t>(layout.Width);
  std::vector<std::uint32_t> pixels(width * static_cast<std::size_t>(layout.Height), layout.Palette[0]);
  const std::span<const std::uint8_t> s = file.subspan(layout.DataOffset, layout.DataSize);
  const bool rle4 = layout.Compression == bcRle4;
  RleWriter out(layout, pixels);

  std::size_t pos = 0;
  while (true) {
    if (pos + 2 > s.size()) FailTruncated(pos, s.size());
    const int count = s[pos];
    const unsigned value = s[pos + 1];
    const std::size_t code = pos;
    pos += 2;
    if (count > 0) {
      const unsigned hi = rle4 ? value >> 4 : value;
      const unsigned lo = rle4 ? value & 0xFu : value;
      out.Run(count, hi, lo);
      continue;
    }
    if (value == 0) {
      out.EndOfLine();
    } else if (value == 1) {
      return pixels;
    } else if (value == 2) {
      if (pos + 2 > s.size()) FailTruncated(code, s.size());
      out.Delta(s[pos], s[pos + 1]);
      pos += 2;
    } else {
      // Literal indexes: one per byte (RLE8) or two per byte (RLE4), padded to a 16-bit boundary.
      const std::size_t n = value;
      const std::size_t bytes = rle4 ? (n + 1) / 2 : n;
      const std::size_t padded = (bytes + 1) & ~std::size_t{1};
      if (pos + padded > s.size()) FailTruncated(code, s.size());
      for (std::size_t i = 0; i < n && !out.RowFull(); ++i) {
        const std::uint8_t b = s[pos + (rle4 ? i / 2 : i)];
        out.Put(rle4 ? (i % 2 == 0 ? b >> 4 : b & 0xFu) : b);
      }
      pos += padded;
    }
  }
}

}  // namespace nox::detail
