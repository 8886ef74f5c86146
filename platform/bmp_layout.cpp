#include "platform/bmp_layout.h"

#include <bit>
#include <cstdio>
#include <string>

#include "platform/bitmap.h"
#include "platform/object.h"

namespace nox::detail {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;

[[noreturn]] void Fail(const std::string& what) { throw EInvalidGraphic(what); }

std::string Hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", v);
  return text;
}

// Reads little-endian fields of a file whose length has been checked by the caller.
class FieldReader {
 public:
  explicit FieldReader(std::span<const std::uint8_t> file) : m_file(file) {}

  // Refuses a file too short for count bytes at offset; all arithmetic in 64 bits.
  void Require(std::uint64_t offset, std::uint64_t count, const std::string& what) const {
    if (offset + count > m_file.size()) {
      Fail("BMP file truncated: " + what + " needs " + std::to_string(count) + " bytes at offset " +
           std::to_string(offset) + ", the file has " + std::to_string(m_file.size()));
    }
  }
  std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(m_file[at] | (m_file[at + 1] << 8));
  }
  std::uint32_t U32(std::size_t at) const {
    return static_cast<std::uint32_t>(m_file[at]) | (static_cast<std::uint32_t>(m_file[at + 1]) << 8) |
           (static_cast<std::uint32_t>(m_file[at + 2]) << 16) |
           (static_cast<std::uint32_t>(m_file[at + 3]) << 24);
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::uint8_t U8(std::size_t at) const { return m_file[at]; }

 private:
  std::span<const std::uint8_t> m_file;
};

const char* CompressionName(std::uint32_t compression) {
  switch (compression) {
    case bcRgb:
      return "none";
    case bcRle8:
      return "RLE8";
    case bcRle4:
      return "RLE4";
    case bcBitFields:
      return "bit fields";
    default:
      return "?";
  }
}

void CheckCompression(std::uint32_t compression, int bits) {
  if (compression == 4 || compression == 5)
    Fail("BMP files with embedded JPEG or PNG data are not supported");
  if (compression > bcBitFields) Fail("unknown BMP compression " + std::to_string(compression));
  const bool fits = compression == bcRgb || (compression == bcRle8 && bits == 8) ||
                    (compression == bcRle4 && bits == 4) ||
                    (compression == bcBitFields && (bits == 16 || bits == 32));
  if (!fits) {
    Fail(std::string("BMP compression ") + CompressionName(compression) + " does not fit " +
         std::to_string(bits) + " bits per pixel");
  }
}

// Masks must each be one run of bits inside the pixel, and must not share bits.
void SetMasks(BmpLayout& layout, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  const std::uint32_t masks[3] = {red, green, blue};
  const char* names[3] = {"red", "green", "blue"};
  const std::uint32_t inside = layout.BitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t m = masks[i];
    if (m == 0) Fail(std::string("BMP ") + names[i] + " mask is empty");
    if ((m & ~inside) != 0) {
      Fail(std::string("BMP ") + names[i] + " mask " + Hex(m) + " lies outside " +
           std::to_string(layout.BitsPerPixel) + " bits per pixel");
    }
    const std::uint32_t run = m >> std::countr_zero(m);
    if ((run & (run + 1)) != 0)
      Fail(std::string("BMP ") + names[i] + " mask " + Hex(m) + " is not one run of bits");
    for (int j = 0; j < i; ++j) {
      if ((masks[j] & m) != 0) Fail(std::string("BMP ") + names[j] + " and " + names[i] + " masks overlap");
    }
  }
  layout.Red = BmpChannel::FromMask(red);
  layout.Green = BmpChannel::FromMask(green);
  layout.Blue = BmpChannel::FromMask(blue);
}

}  // namespace

BmpChannel BmpChannel::FromMask(std::uint32_t mask) {
  BmpChannel c;
  c.Mask = mask;
  c.Shift = std::countr_zero(mask);
  c.Bits = std::popcount(mask);
  if (c.Bits <= 8) {
    // Exact scaling rounds to nearest: a 5-bit 31 becomes 255, 16 becomes 132.
    const std::uint32_t top = (1u << c.Bits) - 1;
    for (std::uint32_t v = 0; v <= top; ++v)
      c.Scale[v] = static_cast<std::uint8_t>((v * 255 + top / 2) / top);
  }
  return c;
}

void ThrowBadPaletteIndex(unsigned index, long long x, long long y, int paletteSize) {
  Fail("BMP palette index " + std::to_string(index) + " at pixel (" + std::to_string(x) + ", " +
       std::to_string(y) + ") is out of range: the palette has " + std::to_string(paletteSize) + " colours");
}

BmpLayout ReadBmpLayout(std::span<const std::uint8_t> file) {
  const FieldReader in(file);
  in.Require(0, kFileHeaderSize + 4, "the file header");
  if (in.U8(0) != 'B' || in.U8(1) != 'M') Fail("not a BMP file: it does not start with \"BM\"");
  const std::uint32_t dataOffset = in.U32(10);
  const std::uint32_t headerSize = in.U32(14);
  if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize && headerSize != kV4HeaderSize &&
      headerSize != kV5HeaderSize) {
    Fail("unsupported BMP info header size " + std::to_string(headerSize) + " (known: 12, 40, 108, 124)");
  }
  in.Require(kFileHeaderSize, headerSize, "the info header");

  BmpLayout layout;
  const bool core = headerSize == kCoreHeaderSize;
  long long width = 0;
  long long height = 0;
  unsigned planes = 0;
  std::uint32_t colorsUsed = 0;
  if (core) {
    width = in.U16(18);
    height = in.U16(20);
    planes = in.U16(22);
    layout.BitsPerPixel = in.U16(24);
  } else {
    width = in.I32(18);
    height = in.I32(22);
    planes = in.U16(26);
    layout.BitsPerPixel = in.U16(28);
    layout.Compression = in.U32(30);
    colorsUsed = in.U32(46);
  }

  if (planes != 1) Fail("BMP plane count must be 1, the file says " + std::to_string(planes));
  const int bits = layout.BitsPerPixel;
  const bool knownDepth =
      bits == 1 || bits == 4 || bits == 8 || bits == 24 || (!core && (bits == 16 || bits == 32));
  if (!knownDepth) Fail("unsupported BMP depth of " + std::to_string(bits) + " bits per pixel");
  CheckCompression(layout.Compression, bits);

  // The height is a 64-bit value here, so a stored INT_MIN is simply too large, not an overflow.
  if (width <= 0) Fail("BMP width must be positive, the file says " + std::to_string(width));
  if (height == 0) Fail("BMP height must not be 0");
  layout.TopDown = height < 0;
  if (layout.TopDown) height = -height;
  if (layout.TopDown && (layout.Compression == bcRle8 || layout.Compression == bcRle4)) {
    Fail("a top-down BMP cannot be RLE compressed");
  }
  CheckBitmapSize(width, height);
  layout.Width = static_cast<int>(width);
  layout.Height = static_cast<int>(height);

  // Colour masks: after a 40-byte header for bit fields, inside the V4 and V5 headers.
  std::uint64_t tableStart = kFileHeaderSize + headerSize;
  if (bits == 16 || bits == 32) {
    if (layout.Compression == bcBitFields) {
      const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
      if (headerSize == kInfoHeaderSize) {
        in.Require(at, 12, "the colour masks");
        tableStart += 12;
      }
      SetMasks(layout, in.U32(at), in.U32(at + 4), in.U32(at + 8));
    } else if (bits == 16) {
      SetMasks(layout, 0x7C00, 0x03E0, 0x001F);
    } else {
      SetMasks(layout, 0xFF0000, 0x00FF00, 0x0000FF);
    }
  }

  // The palette: 2^bits entries, or biClrUsed of them; core headers store 3-byte entries.
  if (bits <= 8) {
    const std::uint32_t full = 1u << bits;
    if (colorsUsed > full) {
      Fail("BMP palette of " + std::to_string(colorsUsed) + " colours is too large for " +
           std::to_string(bits) + "-bit pixels");
    }
    const std::uint32_t count = colorsUsed != 0 ? colorsUsed : full;
    const std::size_t entrySize = core ? 3 : 4;
    in.Require(tableStart, std::uint64_t{count} * entrySize,
               "the palette of " + std::to_string(count) + " colours");
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t at = static_cast<std::size_t>(tableStart) + i * entrySize;
      layout.Palette[i] = 0xFF000000u | (std::uint32_t{in.U8(at + 2)} << 16) |
                          (std::uint32_t{in.U8(at + 1)} << 8) | in.U8(at);
    }
    layout.PaletteSize = static_cast<int>(count);
    tableStart += std::uint64_t{count} * entrySize;
  }

  if (dataOffset < tableStart) {
    Fail("BMP pixel data offset " + std::to_string(dataOffset) +
         " lies inside the headers and palette, which end at " + std::to_string(tableStart));
  }
  if (dataOffset > file.size()) {
    Fail("BMP pixel data offset " + std::to_string(dataOffset) + " lies beyond the end of the file (" +
         std::to_string(file.size()) + " bytes)");
  }
  layout.DataOffset = dataOffset;

  if (layout.Compression == bcRle8 || layout.Compression == bcRle4) {
    // biSizeImage, when given, bounds the RLE stream; otherwise it runs to the end of the file.
    const std::uint32_t declared = in.U32(34);
    if (declared != 0) in.Require(dataOffset, declared, "RLE data");
    layout.DataSize = declared != 0 ? declared : file.size() - dataOffset;
  } else {
    // Rows are padded to 4 bytes; biSizeImage is not trusted (writers often get it wrong).
    const std::uint64_t stride =
        (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(height);
    in.Require(dataOffset, needed, "pixel data");
    layout.Stride = static_cast<std::size_t>(stride);
    layout.DataSize = static_cast<std::size_t>(needed);
  }
  return layout;
}

}  // namespace nox::detail
