#pragma once
// Internals of the BMP reader: what the headers of a device-independent bitmap say, checked against
// the file, and the two pixel decoders (plain rows and run-length encoded data).
//
// ReadBmpLayout trusts nothing: every offset and size is checked against the file before it is used,
// so the decoders may index the file without further bounds checks on the headers' behalf.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace nox::detail {

enum BmpCompression : std::uint32_t { bcRgb = 0, bcRle8 = 1, bcRle4 = 2, bcBitFields = 3 };

// One colour channel of a 16- or 32-bit pixel: the bits under Mask, scaled to 0..255.
struct BmpChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;                          // position of the mask's lowest bit
  int Bits = 0;                           // width of the mask, 1..32
  std::array<std::uint8_t, 256> Scale{};  // channel value -> 0..255 when Bits <= 8

  // The mask must be one run of set bits.
  static BmpChannel FromMask(std::uint32_t mask);
  std::uint32_t Extract(std::uint32_t value) const {
    const std::uint32_t v = (value & Mask) >> Shift;
    return Bits <= 8 ? Scale[v] : v >> (Bits - 8);
  }
};

struct BmpLayout {
  int Width = 0;         // 1 .. kMaxBitmapSide
  int Height = 0;        // 1 .. kMaxBitmapSide (the sign of the stored height is in TopDown)
  bool TopDown = false;  // first stored row is the top row
  int BitsPerPixel = 0;  // 1, 4, 8, 16, 24 or 32
  std::uint32_t Compression = bcRgb;
  std::size_t Stride = 0;                    // bytes per stored row, a multiple of 4 (plain data only)
  std::size_t DataOffset = 0;                // where the pixel data starts in the file
  std::size_t DataSize = 0;                  // bytes of pixel data, all inside the file
  std::array<std::uint32_t, 256> Palette{};  // 0xFFRRGGBB pixels
  int PaletteSize = 0;                       // entries that pixel data may index (depths up to 8 bits)
  BmpChannel Red, Green, Blue;               // 16 and 32 bits
};

// Reads and checks the file and info headers, the colour masks and the palette.
// Throws EInvalidGraphic saying what is wrong; checks the size against the bitmap limits.
BmpLayout ReadBmpLayout(std::span<const std::uint8_t> file);

// Decodes the pixel data into Width x Height pixels, top row first. Throws EInvalidGraphic for a
// palette index out of range or RLE data that ends before its end-of-bitmap marker.
std::vector<std::uint32_t> DecodePlainBmp(const BmpLayout& layout, std::span<const std::uint8_t> file);
std::vector<std::uint32_t> DecodeRleBmp(const BmpLayout& layout, std::span<const std::uint8_t> file);

// "BMP palette index 7 at pixel (3, 0) is out of range: the palette has 4 colours"
[[noreturn]] void ThrowBadPaletteIndex(unsigned index, long long x, long long y, int paletteSize);

}  // namespace nox::detail
