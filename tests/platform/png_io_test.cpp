// PNG files: what is saved reads back identically, every colour type loads as RGB, and broken
// files are refused without touching the bitmap.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/bitmap.h"
#include "support/child_process.h"

namespace nox {
namespace {

using ::testing::HasSubstr;
using Bytes = std::vector<std::uint8_t>;

std::string OutputPath(const std::string& name) {
  std::filesystem::create_directories(NOX_TEST_OUTPUT_DIR);
  return std::string(NOX_TEST_OUTPUT_DIR) + "/" + name;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

Bytes ReadFile(const std::string& path) {
  Bytes bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
  }
  return bytes;
}

// ---- a minimal PNG encoder (stored deflate blocks), so that tests can make any colour type

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n, std::uint32_t crc = 0xFFFFFFFFu) {
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc;
}

void PutBE32(Bytes& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
  PutBE32(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBE32(out, Crc32(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

Bytes Zlib(const Bytes& raw) {
  Bytes z = {0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
    z.push_back(pos + n == raw.size() ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n));
    z.push_back(static_cast<std::uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
             raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBE32(z, (b << 16) | a);
  return z;
}

// rows: the unfiltered bytes of each row (a filter byte 0 is added); for an interlaced image the
// rows of the non-empty passes in order.
Bytes MakePng(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colorType,
              const std::vector<Bytes>& rows, const Bytes& plte = {}, const Bytes& trns = {},
              std::uint8_t interlace = 0) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  PutBE32(ihdr, width);
  PutBE32(ihdr, height);
  ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, interlace});
  Chunk(png, "IHDR", ihdr);
  if (!plte.empty()) Chunk(png, "PLTE", plte);
  if (!trns.empty()) Chunk(png, "tRNS", trns);
  Bytes raw;
  for (const Bytes& row : rows) {
    raw.push_back(0);
    raw.insert(raw.end(), row.begin(), row.end());
  }
  Chunk(png, "IDAT", Zlib(raw));
  Chunk(png, "IEND", {});
  return png;
}

std::vector<std::uint32_t> LoadPixels(const Bytes& png, const std::string& name) {
  const std::string path = OutputPath(name);
  WriteFile(path, png);
  TBitmap bmp;
  bmp.LoadFromPngFile(path);
  return {bmp.PixelData().begin(), bmp.PixelData().end()};
}

TEST(PngIo, SavedImageReadsBackIdentically) {
  TBitmap picture(37, 23);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      picture.SetPixel(x, y,
                       RGB(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 11),
                           static_cast<std::uint8_t>(x * y)));
    }
  }
  const std::string path = OutputPath("png_round_trip.png");
  picture.SaveToPngFile(path);
  TBitmap back;
  back.LoadFromPngFile(path);
  EXPECT_TRUE(SamePixels(picture, back));
}

TEST(PngIo, EveryColourTypeLoadsAsRgb) {
  // grey, 1 bit: black and white
  EXPECT_EQ(LoadPixels(MakePng(3, 1, 1, 0, {{0b10100000}}), "grey1.png"),
            (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
  // grey, 16 bits: the high byte counts
  EXPECT_EQ(LoadPixels(MakePng(2, 1, 16, 0, {{0x12, 0x34, 0xAB, 0xCD}}), "grey16.png"),
            (std::vector<std::uint32_t>{0xFF121212, 0xFFABABAB}));
  // grey + alpha: the alpha is dropped
  EXPECT_EQ(LoadPixels(MakePng(1, 1, 8, 4, {{0x40, 0x00}}), "grey_alpha.png"),
            std::vector<std::uint32_t>{0xFF404040});
  // 16-bit RGB and 8-bit RGBA
  EXPECT_EQ(LoadPixels(MakePng(1, 1, 16, 2, {{0x11, 0, 0x22, 0, 0x33, 0}}), "rgb16.png"),
            std::vector<std::uint32_t>{0xFF112233});
  EXPECT_EQ(LoadPixels(MakePng(1, 1, 8, 6, {{0x44, 0x55, 0x66, 0x00}}), "rgba.png"),
            std::vector<std::uint32_t>{0xFF445566});
  // 2-bit palette with a transparency entry: the colours stay, transparency is dropped
  EXPECT_EQ(LoadPixels(MakePng(3, 1, 2, 3, {{0b00011000}}, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}), "palette.png"),
            (std::vector<std::uint32_t>{0xFF010203, 0xFF040506, 0xFF070809}));
}

TEST(PngIo, InterlacedImagesLoad) {
  // 2 x 2 grey in Adam7 order: pass 1 holds (0, 0), pass 6 holds (1, 0), pass 7 the bottom row.
  EXPECT_EQ(LoadPixels(MakePng(2, 2, 8, 0, {{0x10}, {0x20}, {0x30, 0x40}}, {}, {}, 1), "interlaced.png"),
            (std::vector<std::uint32_t>{0xFF101010, 0xFF202020, 0xFF303030, 0xFF404040}));
}

TEST(PngIo, BrokenFilesAreRefusedAndLeaveTheBitmapAlone) {
  TBitmap picture(4, 3);
  picture.Fill(clTeal);
  const std::string good = OutputPath("png_good.png");
  picture.SaveToPngFile(good);
  const Bytes bytes = ReadFile(good);
  ASSERT_GT(bytes.size(), 40u);

  TBitmap target(2, 2);
  target.Fill(clRed);
  TBitmap before;
  before.Assign(target);
  const auto refused = [&](const Bytes& file, const std::string& name) {
    const std::string path = OutputPath(name);
    WriteFile(path, file);
    try {
      target.LoadFromPngFile(path);
    } catch (const EInvalidGraphic& e) {
      EXPECT_THAT(e.what(), HasSubstr(path));
      EXPECT_TRUE(SamePixels(target, before));
      return true;
    }
    return false;
  };

  Bytes corrupt = bytes;
  corrupt[bytes.size() - 20] ^= 0x55;  // inside the image data: its CRC no longer matches
  EXPECT_TRUE(refused(corrupt, "png_corrupt.png"));
  for (std::size_t n :
       {std::size_t{0}, std::size_t{5}, std::size_t{20}, bytes.size() / 2, bytes.size() - 12}) {
    EXPECT_TRUE(refused(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)), "png_cut.png"))
        << n;
  }
  EXPECT_TRUE(refused(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '!'}, "png_text.png"));
  // A header beyond the size limits is refused before anything is allocated for it.
  EXPECT_TRUE(refused(MakePng(20000, 1, 8, 2, {}), "png_huge.png"));
  EXPECT_TRUE(refused(MakePng(8000, 9000, 8, 2, {}), "png_too_many_pixels.png"));
}

// 44 bytes whose text chunk claims 2 GB: refused as cut short, without first allocating the claim.
TEST(PngIo, AChunkClaimingGigabytesCostsNoMemory) {
  const std::string path = NOX_TEST_DATA_DIR "/../fuzz/regressions/png_reader/text_chunk_claiming_2GB";
  const test::TChildResult child = test::RunInChild([&] {
    try {
      TBitmap().LoadFromPngFile(path);
    } catch (const EInvalidGraphic& e) {
      return std::string(e.what());
    }
    return std::string("loaded");
  });
  ASSERT_TRUE(child.Finished);
  EXPECT_THAT(child.Output, HasSubstr("invalid PNG"));
  EXPECT_LT(child.MemoryGrowthKiB, 16 * 1024);
}

TEST(PngIo, FileErrorsNameThePath) {
  TBitmap picture(2, 2);
  const std::string missing = OutputPath("no such folder/picture.png");
  try {
    picture.SaveToPngFile(missing);
    FAIL() << "saved into a missing folder";
  } catch (const EFileError& e) {
    EXPECT_THAT(e.what(), HasSubstr(missing));
  }
  EXPECT_THROW(picture.LoadFromPngFile(missing), EFileError);
  EXPECT_THROW(TBitmap().SaveToPngFile(OutputPath("empty.png")), EFileError);
  EXPECT_FALSE(std::filesystem::exists(OutputPath("empty.png")));
}

}  // namespace
}  // namespace nox
