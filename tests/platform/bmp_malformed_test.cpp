// Broken, lying and absurd BMP files are refused with a message that says what is wrong, and the
// bitmap they were loaded into keeps its old size and pixels.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/bitmap.h"
#include "support/bmp_writer.h"

namespace nox {
namespace {

using test::BmpContent;
using test::PutU16;
using test::PutU32;
using test::WriteBmp;
using ::testing::HasSubstr;

// Field offsets in a file with a 40-byte info header.
constexpr std::size_t kOffBits = 10, kWidth = 18, kHeight = 22, kPlanes = 26, kBits = 28, kCompression = 30,
                      kSizeImage = 34;

// Loads into a bitmap holding a known picture and returns the error text ("" if it loaded).
std::string Refusal(const std::vector<std::uint8_t>& file) {
  TBitmap bmp(3, 2);
  bmp.SetPixel(0, 0, clRed);
  bmp.SetPixel(2, 1, clBlue);
  TBitmap before;
  before.Assign(bmp);
  try {
    bmp.LoadFromBmpData(file);
  } catch (const EInvalidGraphic& e) {
    EXPECT_TRUE(SamePixels(bmp, before)) << "the bitmap changed on: " << e.what();
    return e.what();
  }
  return "";
}

BmpContent Palette8(int width, int height) {
  BmpContent s;
  s.Bits = 8;
  s.Width = width;
  s.Height = height;
  s.Palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.Values.assign(static_cast<std::size_t>(width * height), 2);
  return s;
}

BmpContent Rgb24(int width, int height) {
  BmpContent s;
  s.Width = width;
  s.Height = height;
  s.Values.assign(static_cast<std::size_t>(width * height), 0x336699);
  return s;
}

BmpContent Rle(std::uint32_t compression, std::vector<std::uint8_t> stream) {
  BmpContent s = Palette8(4, 2);
  s.Bits = compression == 1 ? 8 : 4;
  s.Compression = compression;
  s.Rle = std::move(stream);
  return s;
}

TEST(BmpMalformed, EveryTruncationOfSmallValidFilesIsRefused) {
  BmpContent core = Palette8(3, 2);
  core.HeaderSize = 12;
  core.Palette.resize(256);
  BmpContent fields;
  fields.Bits = 16;
  fields.Compression = 3;
  fields.Masks = {0xF800, 0x07E0, 0x001F};
  fields.Width = 3;
  fields.Height = 2;
  fields.Values.assign(6, 0x1234);
  const std::vector<BmpContent> files = {Palette8(3, 2),
                                         Rgb24(2, 3),
                                         core,
                                         fields,
                                         Rle(1, {2, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1}),
                                         Rle(2, {3, 0x12, 0, 0, 0, 3, 0x21, 0x30, 0, 1})};
  for (const BmpContent& content : files) {
    const std::vector<std::uint8_t> whole = WriteBmp(content);
    ASSERT_EQ(Refusal(whole), "") << "the complete file must load";
    for (std::size_t n = 0; n < whole.size(); ++n) {
      const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
      EXPECT_NE(Refusal(cut), "") << "loaded a file cut to " << n << " of " << whole.size() << " bytes";
    }
  }
}

TEST(BmpMalformed, TruncatedPixelDataSaysHowMuchIsMissing) {
  std::vector<std::uint8_t> f = WriteBmp(Rgb24(10, 10));  // 10 rows of 32 bytes at offset 54
  f.resize(f.size() - 100);
  EXPECT_EQ(Refusal(f), "BMP file truncated: pixel data needs 320 bytes at offset 54, the file has 274");
}

TEST(BmpMalformed, LyingOffsetsAndSizes) {
  std::vector<std::uint8_t> f = WriteBmp(Palette8(2, 2));
  PutU32(f, kOffBits, 5000);
  EXPECT_THAT(Refusal(f), HasSubstr("offset 5000 lies beyond the end of the file"));
  PutU32(f, kOffBits, 60);  // inside the palette, which ends at 70
  EXPECT_THAT(Refusal(f), HasSubstr("lies inside the headers and palette, which end at 70"));

  f = WriteBmp(Rle(1, {2, 1, 0, 1}));
  PutU32(f, kSizeImage, 4000);  // the RLE stream claims more than the file holds
  EXPECT_THAT(Refusal(f), HasSubstr("RLE data needs 4000 bytes"));

  f = WriteBmp(Palette8(2, 2));
  PutU32(f, 14, 64);
  EXPECT_THAT(Refusal(f), HasSubstr("unsupported BMP info header size 64"));
  PutU32(f, 14, 0xFFFFFFF0u);
  EXPECT_THAT(Refusal(f), HasSubstr("info header size"));
  f[0] = 'P';
  EXPECT_THAT(Refusal(f), HasSubstr("not a BMP file"));
}

TEST(BmpMalformed, AbsurdDimensions) {
  std::vector<std::uint8_t> f = WriteBmp(Rgb24(1, 1));
  PutU32(f, kWidth, 20000);
  EXPECT_THAT(Refusal(f), HasSubstr("16384"));
  PutU32(f, kWidth, 10000);
  PutU32(f, kHeight, 10000);  // each side allowed, but 400 MB of pixels
  EXPECT_THAT(Refusal(f), HasSubstr("limit of " + std::to_string(kMaxBitmapPixels) + " pixels"));
  PutU32(f, kWidth, 1);
  PutU32(f, kHeight, static_cast<std::uint32_t>(INT_MIN));
  EXPECT_THAT(Refusal(f), HasSubstr("exceeds the limit"));
  PutU32(f, kHeight, 0);
  EXPECT_THAT(Refusal(f), HasSubstr("height must not be 0"));
  PutU32(f, kHeight, 1);
  PutU32(f, kWidth, 0);
  EXPECT_THAT(Refusal(f), HasSubstr("width must be positive"));
  PutU32(f, kWidth, static_cast<std::uint32_t>(-5));
  EXPECT_THAT(Refusal(f), HasSubstr("width must be positive, the file says -5"));
  // A width that fits the limits but whose rows are not in the file.
  PutU32(f, kWidth, 16000);
  EXPECT_THAT(Refusal(f), HasSubstr("pixel data needs 48000 bytes"));
}

TEST(BmpMalformed, PlanesDepthsAndCompressions) {
  std::vector<std::uint8_t> f = WriteBmp(Rgb24(2, 2));
  PutU16(f, kPlanes, 0);
  EXPECT_THAT(Refusal(f), HasSubstr("plane count must be 1, the file says 0"));
  PutU16(f, kPlanes, 1);
  for (unsigned bits : {0u, 2u, 7u, 48u, 64u}) {
    PutU16(f, kBits, bits);
    EXPECT_THAT(Refusal(f), HasSubstr("unsupported BMP depth of " + std::to_string(bits))) << bits;
  }
  PutU16(f, kBits, 24);
  PutU32(f, kCompression, 3);
  EXPECT_THAT(Refusal(f), HasSubstr("compression bit fields does not fit 24 bits"));
  PutU32(f, kCompression, 1);
  EXPECT_THAT(Refusal(f), HasSubstr("compression RLE8 does not fit 24 bits"));
  PutU32(f, kCompression, 4);
  EXPECT_THAT(Refusal(f), HasSubstr("JPEG or PNG"));
  PutU32(f, kCompression, 9);
  EXPECT_THAT(Refusal(f), HasSubstr("unknown BMP compression 9"));

  f = WriteBmp(Rle(2, {2, 0x11, 0, 1}));
  PutU16(f, kBits, 8);  // RLE4 data declared as 8 bits
  EXPECT_THAT(Refusal(f), HasSubstr("RLE4 does not fit 8 bits"));
  f = WriteBmp(Rle(1, {2, 1, 0, 1}));
  PutU32(f, kHeight, static_cast<std::uint32_t>(-2));
  EXPECT_THAT(Refusal(f), HasSubstr("top-down BMP cannot be RLE compressed"));

  BmpContent core = Rgb24(1, 1);
  core.HeaderSize = 12;
  f = WriteBmp(core);
  PutU16(f, 24, 32);  // core headers know 1, 4, 8 and 24 bits only
  EXPECT_THAT(Refusal(f), HasSubstr("depth of 32"));
}

TEST(BmpMalformed, BadColourMasks) {
  BmpContent s;
  s.Bits = 16;
  s.Compression = 3;
  s.Width = 1;
  s.Values = {0};
  const auto refusal = [&](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    s.Masks = {r, g, b};
    return Refusal(WriteBmp(s));
  };
  EXPECT_THAT(refusal(0, 0x07E0, 0x001F), HasSubstr("red mask is empty"));
  EXPECT_THAT(refusal(0xF800, 0x0520, 0x001F), HasSubstr("green mask 0x00000520 is not one run of bits"));
  EXPECT_THAT(refusal(0xF800, 0x0FE0, 0x001F), HasSubstr("red and green masks overlap"));
  EXPECT_THAT(refusal(0x1F0000, 0x07E0, 0x001F), HasSubstr("red mask 0x001F0000 lies outside 16 bits"));
  EXPECT_EQ(refusal(0xF800, 0x07E0, 0x001F), "");
}

TEST(BmpMalformed, PaletteIndexesOutOfRange) {
  BmpContent plain = Palette8(3, 2);  // 4 colours
  plain.Values[4] = 7;                // pixel (1, 1)
  EXPECT_EQ(Refusal(WriteBmp(plain)),
            "BMP palette index 7 at pixel (1, 1) is out of range: the palette has 4 colours");

  EXPECT_THAT(Refusal(WriteBmp(Rle(1, {2, 9, 0, 1}))), HasSubstr("palette index 9 at pixel (0, 1)"));
  // RLE4 literal nibbles 1 and 5: the second is out of range, at x = 1 of the bottom row
  EXPECT_THAT(Refusal(WriteBmp(Rle(2, {0, 3, 0x15, 0x10, 0, 1}))),
              HasSubstr("palette index 5 at pixel (1, 1)"));
}

TEST(BmpMalformed, PaletteLargerThanTheDepthCanIndex) {
  BmpContent s = Palette8(2, 2);
  s.ColorsUsed = 300;
  EXPECT_THAT(Refusal(WriteBmp(s)), HasSubstr("palette of 300 colours is too large for 8-bit pixels"));
  BmpContent mono;
  mono.Bits = 1;
  mono.Palette = {0, 0xFFFFFF};
  mono.Values = {1};
  mono.ColorsUsed = 3;
  EXPECT_THAT(Refusal(WriteBmp(mono)), HasSubstr("palette of 3 colours is too large for 1-bit pixels"));
  mono.ColorsUsed = 0xFFFFFFFFu;
  EXPECT_THAT(Refusal(WriteBmp(mono)), HasSubstr("too large"));
}

TEST(BmpMalformed, RleWithoutEndOfBitmapIsTruncated) {
  EXPECT_EQ(Refusal(WriteBmp(Rle(1, {2, 1, 0, 0}))),
            "BMP RLE data truncated: it ends after 4 bytes without an end-of-bitmap code");
  EXPECT_THAT(Refusal(WriteBmp(Rle(1, {0, 5, 1, 1, 1}))), HasSubstr("the code at byte 0 runs past the end"));
  EXPECT_THAT(Refusal(WriteBmp(Rle(1, {0, 2, 1}))), HasSubstr("runs past the end"));
}

}  // namespace
}  // namespace nox
