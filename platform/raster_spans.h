#pragma once
// Where the rasterisers put their pixels. A sink changes one pixel through a pointer into the image
// (so that a line walk steps a pointer instead of recomputing addresses) or a span of one row.
// CopySink paints, XorSink flips colour bits, XorOnceSink flips each pixel at most once for a whole
// figure whose parts overlap (crossing segments, wide joints), remembering what it flipped in
// PixelMarks.
//
// Spans are already clipped to the image: 0 <= y < height and 0 <= x0 <= x1 < width (both ends
// included); pointers point into the image.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nox::detail {

// The pixels of a TBitmap: rows top to bottom, no padding, 0xFFRRGGBB.
struct Surface {
  std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  std::uint32_t* At(int x, int y) const {
    return bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
  }
};

// XOR changes the colour bits only, so the pixels keep their opaque top byte.
constexpr std::uint32_t kColorBits = 0x00FFFFFFu;

struct CopySink {
  Surface surface;
  std::uint32_t pixel;  // full pixel value
  void Apply(std::uint32_t* p) const { *p = pixel; }
  void Span(int y, int x0, int x1) const {
    std::uint32_t* p = surface.At(x0, y);
    for (int n = x1 - x0; n >= 0; --n) *p++ = pixel;
  }
};

struct XorSink {
  Surface surface;
  std::uint32_t bits;  // colour bits to flip
  void Apply(std::uint32_t* p) const { *p ^= bits; }
  void Span(int y, int x0, int x1) const {
    std::uint32_t* p = surface.At(x0, y);
    for (int n = x1 - x0; n >= 0; --n) *p++ ^= bits;
  }
};

// One bit per pixel of the image: which pixels the current figure has already changed.
class PixelMarks {
 public:
  // Makes room for an image of this many pixels; all marks are clear.
  void Prepare(std::size_t pixels) {
    const std::size_t words = (pixels + 63) / 64;
    if (m_words.size() < words) m_words.resize(words, 0);
  }
  // Marks pixel i; false when it was marked already.
  bool Mark(std::size_t i) {
    std::uint64_t& word = m_words[i >> 6];
    const std::uint64_t bit = std::uint64_t{1} << (i & 63);
    if ((word & bit) != 0) return false;
    if (word == 0) m_touched.push_back(i >> 6);
    word |= bit;
    return true;
  }
  // Clears the marks of the figure just drawn (only the words it touched).
  void Clear() {
    for (const std::size_t w : m_touched) m_words[w] = 0;
    m_touched.clear();
  }

 private:
  std::vector<std::uint64_t> m_words;
  std::vector<std::size_t> m_touched;
};

struct XorOnceSink {
  Surface surface;
  std::uint32_t bits;
  PixelMarks* marks;  // prepared for the surface, clear at the start of the figure
  void Apply(std::uint32_t* p) const {
    if (marks->Mark(static_cast<std::size_t>(p - surface.bits))) *p ^= bits;
  }
  void Span(int y, int x0, int x1) const {
    std::uint32_t* p = surface.At(x0, y);
    for (int n = x1 - x0; n >= 0; --n) Apply(p++);
  }
};

}  // namespace nox::detail
