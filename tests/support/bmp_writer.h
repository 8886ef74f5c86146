#pragma once
// Builds BMP files in memory for tests: every header kind, depth and compression the reader knows,
// with fields that tests may then corrupt through PutU16 / PutU32.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace nox::test {

struct BmpContent {
  int Width = 1;
  int Height = 1;  // always positive here; TopDown stores it negated
  bool TopDown = false;
  int Bits = 24;
  std::uint32_t HeaderSize = 40;            // 12 (core), 40, 108 (V4) or 124 (V5)
  std::uint32_t Compression = 0;            // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  std::vector<std::uint32_t> Palette;       // 0xRRGGBB entries
  std::optional<std::uint32_t> ColorsUsed;  // biClrUsed; by default the palette's size (0 if full)
  std::array<std::uint32_t, 3> Masks{};     // red, green, blue for bit fields
  // Pixel values, top row first: palette indexes, 0xRRGGBB at 24 bits, raw values at 16 and 32 bits.
  std::vector<std::uint32_t> Values;
  std::vector<std::uint8_t> Rle;  // the encoded stream for RLE compressions
};

inline void PutU16(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
  f[at] = static_cast<std::uint8_t>(v);
  f[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutU32(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Stored rows of plain pixel data, padded to 4 bytes, in file order.
inline std::vector<std::uint8_t> PackRows(const BmpContent& s) {
  const std::size_t stride =
      (static_cast<std::size_t>(s.Width) * static_cast<std::size_t>(s.Bits) + 31) / 32 * 4;
  std::vector<std::uint8_t> data(stride * static_cast<std::size_t>(s.Height), 0);
  for (int row = 0; row < s.Height; ++row) {
    const int y = s.TopDown ? row : s.Height - 1 - row;
    std::uint8_t* out = data.data() + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < s.Width; ++x) {
      const std::uint32_t v = s.Values[static_cast<std::size_t>(y) * static_cast<std::size_t>(s.Width) + x];
      const auto ux = static_cast<std::size_t>(x);
      switch (s.Bits) {
        case 1:
          out[ux / 8] |= static_cast<std::uint8_t>((v & 1u) << (7 - ux % 8));
          break;
        case 4:
          out[ux / 2] |= static_cast<std::uint8_t>((v & 0xFu) << (ux % 2 == 0 ? 4 : 0));
          break;
        case 8:
          out[ux] = static_cast<std::uint8_t>(v);
          break;
        case 16:
          out[2 * ux] = static_cast<std::uint8_t>(v);
          out[2 * ux + 1] = static_cast<std::uint8_t>(v >> 8);
          break;
        case 24:
          out[3 * ux] = static_cast<std::uint8_t>(v);  // blue
          out[3 * ux + 1] = static_cast<std::uint8_t>(v >> 8);
          out[3 * ux + 2] = static_cast<std::uint8_t>(v >> 16);
          break;
        default:
          for (std::size_t i = 0; i < 4; ++i) out[4 * ux + i] = static_cast<std::uint8_t>(v >> (8 * i));
          break;
      }
    }
  }
  return data;
}

inline std::vector<std::uint8_t> WriteBmp(const BmpContent& s) {
  const bool core = s.HeaderSize == 12;
  const bool rle = s.Compression == 1 || s.Compression == 2;
  const bool separateMasks = s.Compression == 3 && s.HeaderSize == 40;
  const std::size_t paletteBytes = s.Palette.size() * (core ? 3 : 4);
  const std::size_t dataOffset = 14 + s.HeaderSize + (separateMasks ? 12 : 0) + paletteBytes;
  const std::vector<std::uint8_t> pixels = rle ? s.Rle : PackRows(s);

  std::vector<std::uint8_t> f(dataOffset, 0);
  f[0] = 'B';
  f[1] = 'M';
  PutU32(f, 2, static_cast<std::uint32_t>(dataOffset + pixels.size()));
  PutU32(f, 10, static_cast<std::uint32_t>(dataOffset));
  PutU32(f, 14, s.HeaderSize);
  if (core) {
    PutU16(f, 18, static_cast<std::uint32_t>(s.Width));
    PutU16(f, 20, static_cast<std::uint32_t>(s.Height));
    PutU16(f, 22, 1);
    PutU16(f, 24, static_cast<std::uint32_t>(s.Bits));
  } else {
    PutU32(f, 18, static_cast<std::uint32_t>(s.Width));
    PutU32(f, 22, static_cast<std::uint32_t>(s.TopDown ? -s.Height : s.Height));
    PutU16(f, 26, 1);
    PutU16(f, 28, static_cast<std::uint32_t>(s.Bits));
    PutU32(f, 30, s.Compression);
    PutU32(f, 34, static_cast<std::uint32_t>(pixels.size()));
    PutU32(f, 38, 2835);  // 72 dpi
    PutU32(f, 42, 2835);
    const bool fullPalette = s.Bits <= 8 && s.Palette.size() == (std::size_t{1} << s.Bits);
    PutU32(f, 46, s.ColorsUsed.value_or(fullPalette ? 0u : static_cast<std::uint32_t>(s.Palette.size())));
    if (s.Compression == 3) {
      for (std::size_t i = 0; i < 3; ++i) PutU32(f, 54 + 4 * i, s.Masks[i]);
    }
  }
  std::size_t at = 14 + s.HeaderSize + (separateMasks ? 12 : 0);
  for (std::uint32_t rgb : s.Palette) {
    f[at] = static_cast<std::uint8_t>(rgb);
    f[at + 1] = static_cast<std::uint8_t>(rgb >> 8);
    f[at + 2] = static_cast<std::uint8_t>(rgb >> 16);
    at += core ? 3 : 4;
  }
  f.insert(f.end(), pixels.begin(), pixels.end());
  return f;
}

}  // namespace nox::test
