// Uncompressed and bit-field BMP rows: palette depths (1, 4, 8 bits) and true colour (16, 24, 32).
#include "platform/bmp_layout.h"

namespace nox::detail {

namespace {

constexpr std::uint32_t Opaque(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Rows of 1, 4 or 8 bits per pixel; indexes beyond the palette are refused.
template <int Bits>
void DecodeIndexedRow(const BmpLayout& layout, const std::uint8_t* src, std::uint32_t* dst, int y) {
  constexpr unsigned kPerByte = 8 / Bits;
  constexpr unsigned kMask = (1u << Bits) - 1;
  const unsigned count = static_cast<unsigned>(layout.PaletteSize);
  for (int x = 0; x < layout.Width; ++x) {
    const unsigned shift = (kPerByte - 1 - static_cast<unsigned>(x) % kPerByte) * Bits;
    const unsigned index = (src[static_cast<unsigned>(x) / kPerByte] >> shift) & kMask;
    if (index >= count) ThrowBadPaletteIndex(index, x, y, layout.PaletteSize);
    dst[x] = layout.Palette[index];
  }
}

void DecodeMaskedRow(const BmpLayout& layout, const std::uint8_t* src, std::uint32_t* dst) {
  const int bytes = layout.BitsPerPixel / 8;
  for (int x = 0; x < layout.Width; ++x, src += bytes) {
    std::uint32_t v = src[0] | (std::uint32_t{src[1]} << 8);
    if (bytes == 4) v |= (std::uint32_t{src[2]} << 16) | (std::uint32_t{src[3]} << 24);
    dst[x] = Opaque(layout.Red.Extract(v), layout.Green.Extract(v), layout.Blue.Extract(v));
  }
}

// Stored blue, green, red (and an unused byte at 32 bits): the common case, kept fast.
template <int Bytes>
void DecodeBgrRow(int width, const std::uint8_t* src, std::uint32_t* dst) {
  for (int x = 0; x < width; ++x, src += Bytes) dst[x] = Opaque(src[2], src[1], src[0]);
}

bool IsPlainBgr32(const BmpLayout& layout) {
  return layout.BitsPerPixel == 32 && layout.Red.Mask == 0xFF0000u && layout.Green.Mask == 0x00FF00u &&
         layout.Blue.Mask == 0x0000FFu;
}

}  // namespace

std::vector<std::uint32_t> DecodePlainBmp(const BmpLayout& layout, std::span<const std::uint8_t> file) {
  const std::size_t width = static_cast<std::size_t>(layout.Width);
  std::vector<std::uint32_t> pixels(width * static_cast<std::size_t>(layout.Height));
  const bool bgr32 = IsPlainBgr32(layout);
  for (int row = 0; row < layout.Height; ++row) {
    const std::uint8_t* src = file.data() + layout.DataOffset + static_cast<std::size_t>(row) * layout.Stride;
    const int y = layout.TopDown ? row : layout.Height - 1 - row;
    std::uint32_t* dst = pixels.data() + static_cast<std::size_t>(y) * width;
    switch (layout.BitsPerPixel) {
      case 1:
        DecodeIndexedRow<1>(layout, src, dst, y);
        break;
      case 4:
        DecodeIndexedRow<4>(layout, src, dst, y);
        break;
      case 8:
        DecodeIndexedRow<8>(layout, src, dst, y);
        break;
      case 24:
        DecodeBgrRow<3>(layout.Width, src, dst);
        break;
      default:
        if (bgr32) {
          DecodeBgrRow<4>(layout.Width, src, dst);
        } else {
          DecodeMaskedRow(layout, src, dst);
        }
        break;
    }
  }
  return pixels;
}

}  // namespace nox::detail
