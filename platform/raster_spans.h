#pragma once
// Where the rasterisers put their pixels: straight into the image (copy or XOR), or into a SpanSet
// that collects a whole figure first so that XOR touches every pixel of it exactly once.
//
// Every sink takes spans that are already clipped to the image: 0 <= y < height and
// 0 <= x0 <= x1 < width (both ends included).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nox::detail {

// The pixels of a TBitmap: rows top to bottom, no padding, 0xFFRRGGBB.
struct Surface {
  std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  std::uint32_t* Row(int y) const {
    return bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  }
};

// XOR changes the colour bits only, so the pixels keep their opaque top byte.
constexpr std::uint32_t kColorBits = 0x00FFFFFFu;

struct CopySink {
  Surface surface;
  std::uint32_t pixel;  // full pixel value
  void Pixel(int x, int y) const { surface.Row(y)[x] = pixel; }
  void Span(int y, int x0, int x1) const {
    std::uint32_t* p = surface.Row(y);
    for (int x = x0; x <= x1; ++x) p[x] = pixel;
  }
};

struct XorSink {
  Surface surface;
  std::uint32_t bits;  // colour bits to flip
  void Pixel(int x, int y) const { surface.Row(y)[x] ^= bits; }
  void Span(int y, int x0, int x1) const {
    std::uint32_t* p = surface.Row(y);
    for (int x = x0; x <= x1; ++x) p[x] ^= bits;
  }
};

// The pixels of one figure as row spans that may overlap; Paint XORs their union once.
class SpanSet {
 public:
  void Clear() { m_spans.clear(); }
  bool Empty() const { return m_spans.empty(); }
  void Pixel(int x, int y) { Span(y, x, x); }
  void Span(int y, int x0, int x1) {
    // A line drawn pixel by pixel extends the run it continues, which keeps the set small.
    if (!m_spans.empty()) {
      RowSpan& last = m_spans.back();
      if (last.y == y && x0 == last.x1 + 1) {
        last.x1 = x1;
        return;
      }
    }
    m_spans.push_back({y, x0, x1});
  }
  // XORs every pixel covered by at least one span once, then empties the set.
  void XorUnion(const XorSink& sink);

 private:
  struct RowSpan {
    int y, x0, x1;
  };
  std::vector<RowSpan> m_spans;
};

}  // namespace nox::detail
