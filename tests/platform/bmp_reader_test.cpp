// Valid BMP files of every depth, header and compression decode to the right pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/bitmap.h"
#include "support/bmp_writer.h"

namespace nox {
namespace {

using test::BmpContent;
using test::WriteBmp;

constexpr std::uint32_t Px(std::uint32_t rgb) { return 0xFF000000u | rgb; }

std::vector<std::uint32_t> Load(const BmpContent& content) {
  TBitmap bmp;
  const std::vector<std::uint8_t> file = WriteBmp(content);
  bmp.LoadFromBmpData(file);
  EXPECT_EQ(bmp.Width(), content.Width);
  EXPECT_EQ(bmp.Height(), content.Height);
  return {bmp.PixelData().begin(), bmp.PixelData().end()};
}

// The expected pixels of an indexed image: each value looked up in the palette.
std::vector<std::uint32_t> ThroughPalette(const BmpContent& content) {
  std::vector<std::uint32_t> out;
  for (std::uint32_t v : content.Values) out.push_back(Px(content.Palette[v]));
  return out;
}

BmpContent Indexed(int bits, int width, int height, std::size_t colours) {
  BmpContent s;
  s.Bits = bits;
  s.Width = width;
  s.Height = height;
  for (std::size_t i = 0; i < colours; ++i)
    s.Palette.push_back(static_cast<std::uint32_t>(0x102030 + i * 0x0A0B05) & 0xFFFFFFu);
  for (int i = 0; i < width * height; ++i)
    s.Values.push_back(static_cast<std::uint32_t>((i * 7 + i / width) % colours));
  return s;
}

TEST(BmpReader, OneBitRowsWithPaddingAndPartialBytes) {
  const BmpContent s = Indexed(1, 11, 3, 2);  // 11 pixels: two bytes per row, padded to four
  EXPECT_EQ(Load(s), ThroughPalette(s));
}

TEST(BmpReader, FourBitWithFullAndShortPalettes) {
  const BmpContent full = Indexed(4, 5, 3, 16);
  EXPECT_EQ(Load(full), ThroughPalette(full));
  const BmpContent shortPalette = Indexed(4, 7, 2, 6);  // biClrUsed = 6
  EXPECT_EQ(Load(shortPalette), ThroughPalette(shortPalette));
}

TEST(BmpReader, EightBitWithFullPalette) {
  const BmpContent s = Indexed(8, 9, 4, 256);
  EXPECT_EQ(Load(s), ThroughPalette(s));
}

TEST(BmpReader, CoreHeaderWithThreeBytePalette) {
  BmpContent s = Indexed(8, 3, 2, 256);
  s.HeaderSize = 12;
  EXPECT_EQ(Load(s), ThroughPalette(s));
  BmpContent rgb;
  rgb.HeaderSize = 12;
  rgb.Width = 2;
  rgb.Height = 1;
  rgb.Values = {0x123456, 0xFEDCBA};
  EXPECT_EQ(Load(rgb), (std::vector<std::uint32_t>{Px(0x123456), Px(0xFEDCBA)}));
}

TEST(BmpReader, SixteenBitsDefaultTo555AndIgnoreTheTopBit) {
  BmpContent s;
  s.Bits = 16;
  s.Width = 5;
  s.Height = 1;
  // white, red, green, blue 16 of 31, and black with only the unused top bit set
  s.Values = {0x7FFF, 0x7C00, 0x03E0, 0x0010, 0x8000};
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{Px(0xFFFFFF), Px(0xFF0000), Px(0x00FF00), Px(0x000084),
                                                 Px(0x000000)}));
}

TEST(BmpReader, SixteenBitsAs565BitFields) {
  BmpContent s;
  s.Bits = 16;
  s.Compression = 3;
  s.Masks = {0xF800, 0x07E0, 0x001F};
  s.Width = 3;
  s.Height = 1;
  // green 32 of 63 scales to 130; red 1 of 31 to 8
  s.Values = {0xFFFF, 0x0400, 0x0800};
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{Px(0xFFFFFF), Px(0x008200), Px(0x080000)}));
}

TEST(BmpReader, TwentyFourBitsWithRowPadding) {
  BmpContent s;
  s.Width = 3;  // 9 bytes per row, padded to 12
  s.Height = 2;
  s.Values = {0xFF0000, 0x00FF00, 0x0000FF, 0x010203, 0x808080, 0xFEFDFC};
  std::vector<std::uint32_t> expected;
  for (std::uint32_t v : s.Values) expected.push_back(Px(v));
  EXPECT_EQ(Load(s), expected);
}

TEST(BmpReader, ThirtyTwoBitsIgnoreTheUnusedByte) {
  BmpContent s;
  s.Bits = 32;
  s.Width = 2;
  s.Height = 1;
  s.Values = {0xAA123456, 0x00FEDCBA};
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{Px(0x123456), Px(0xFEDCBA)}));
}

TEST(BmpReader, ThirtyTwoBitFieldsOfAnyPositionAndWidth) {
  BmpContent s;
  s.Bits = 32;
  s.Compression = 3;
  s.Width = 3;
  s.Height = 1;
  // 10-bit channels (blue lowest) keep their top 8 bits
  s.Masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  s.Values = {0x3FFFFFFF, (0x200u << 20) | (0x004u << 10) | 0x3FC, 0};
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{Px(0xFFFFFF), Px(0x8001FF), Px(0x000000)}));
  // 2-, 3- and 4-bit channels at the top are scaled up: 3 -> 255, 5 of 7 -> 182, 1 of 15 -> 17
  s.Masks = {0xC0000000, 0x38000000, 0x07800000};
  s.Values = {(3u << 30) | (5u << 27) | (1u << 23), 0, 0xFFFFFFFF};
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{Px(0xFFB611), Px(0x000000), Px(0xFFFFFF)}));
}

TEST(BmpReader, V4AndV5HeadersCarryTheirMasksInside) {
  for (std::uint32_t header : {108u, 124u}) {
    BmpContent s;
    s.HeaderSize = header;
    s.Bits = 16;
    s.Compression = 3;
    s.Masks = {0x001F, 0x07E0, 0xF800};  // red in the low bits this time
    s.Width = 2;
    s.Height = 1;
    s.Values = {0x001F, 0xF800};
    EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{Px(0xFF0000), Px(0x0000FF)})) << header;
    BmpContent rgb;
    rgb.HeaderSize = header;
    rgb.Width = 1;
    rgb.Values = {0x336699};
    EXPECT_EQ(Load(rgb), std::vector<std::uint32_t>{Px(0x336699)}) << header;
  }
}

TEST(BmpReader, TopDownAndBottomUpGiveTheSameImage) {
  for (int bits : {4, 24}) {
    BmpContent s = bits == 4 ? Indexed(4, 6, 5, 16) : BmpContent{};
    if (bits == 24) {
      s.Width = 4;
      s.Height = 3;
      for (int i = 0; i < 12; ++i) s.Values.push_back(static_cast<std::uint32_t>(i * 0x151515));
    }
    const std::vector<std::uint32_t> bottomUp = Load(s);
    s.TopDown = true;
    EXPECT_EQ(Load(s), bottomUp);
    // and the first value is the top left pixel
    EXPECT_EQ(bottomUp[0], bits == 4 ? Px(s.Palette[s.Values[0]]) : Px(s.Values[0]));
  }
}

BmpContent RleContent(std::uint32_t compression, int width, int height, std::vector<std::uint8_t> stream) {
  BmpContent s;
  s.Bits = compression == 1 ? 8 : 4;
  s.Compression = compression;
  s.Width = width;
  s.Height = height;
  s.Palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  s.Rle = std::move(stream);
  return s;
}

TEST(BmpReader, Rle8EveryEscape) {
  // Bottom row: run of 3 x index 1, literal 3 indexes (2 3 4, padded), end of line.
  // Next row up: delta right 2 and up 1, so row 1 stays index 0; on the top row a run of 2 x 4
  // from x = 2; then end of bitmap with pixels never written.
  const BmpContent s = RleContent(1, 7, 3, {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 2, 4, 0, 1});
  const std::uint32_t k = Px(0x000000), r = Px(0xFF0000), g = Px(0x00FF00), b = Px(0x0000FF),
                      w = Px(0xFFFFFF);
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{k, k, w, w, k, k, k,  //
                                                 k, k, k, k, k, k, k,  //
                                                 r, r, r, g, b, w, k}));
}

TEST(BmpReader, Rle4AlternatesNibblesInRunsAndLiterals) {
  // Bottom row: run of 5 of the pair (1, 2); then literal 3 nibbles 3 4 0 (two bytes, padded to
  // even: 0x34 0x00), end of line; top row: delta 1, 0 then run of 1 x 0x4_, end of bitmap.
  const BmpContent s = RleContent(2, 8, 2, {5, 0x12, 0, 3, 0x34, 0x00, 0, 0, 0, 2, 1, 0, 1, 0x40, 0, 1});
  const std::uint32_t k = Px(0x000000), r = Px(0xFF0000), g = Px(0x00FF00), b = Px(0x0000FF),
                      w = Px(0xFFFFFF);
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{k, w, k, k, k, k, k, k,  //
                                                 r, g, r, g, r, b, w, k}));
}

TEST(BmpReader, RleRunsPastTheRowEndAreClipped) {
  // A run of 9 on a row of 4, a literal of 5 on the next, more rows than the image has.
  const BmpContent s = RleContent(1, 4, 2, {9, 1, 0, 0, 0, 5, 2, 2, 2, 2, 2, 0, 0, 0, 3, 3, 0, 1});
  const std::uint32_t r = Px(0xFF0000), g = Px(0x00FF00);
  EXPECT_EQ(Load(s), (std::vector<std::uint32_t>{g, g, g, g, r, r, r, r}));
}

TEST(BmpReader, LoadsFromAFileAndNamesMissingOnes) {
  std::filesystem::create_directories(NOX_TEST_OUTPUT_DIR);
  const std::string path = std::string(NOX_TEST_OUTPUT_DIR) + "/bmp_reader_file.bmp";
  const BmpContent s = Indexed(8, 6, 5, 40);
  const std::vector<std::uint8_t> bytes = WriteBmp(s);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  TBitmap bmp;
  bmp.LoadFromFile(path);
  EXPECT_EQ(std::vector<std::uint32_t>(bmp.PixelData().begin(), bmp.PixelData().end()), ThroughPalette(s));

  const std::string missing = std::string(NOX_TEST_OUTPUT_DIR) + "/no such picture.bmp";
  try {
    bmp.LoadFromFile(missing);
    FAIL() << "a missing file loaded";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  EXPECT_THROW(bmp.LoadFromFile(NOX_TEST_OUTPUT_DIR), EFileError);  // a directory
  EXPECT_EQ(bmp.Width(), 6);
}

}  // namespace
}  // namespace nox
