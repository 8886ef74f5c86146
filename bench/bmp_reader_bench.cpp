// How fast BMP files decode: the chart reads its background picture at every paint.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "platform/bitmap.h"
#include "tests/support/bmp_writer.h"

namespace {

using nox::test::BmpContent;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

BmpContent Picture(int bits, std::uint32_t compression = 0) {
  BmpContent s;
  s.Width = kWidth;
  s.Height = kHeight;
  s.Bits = bits;
  s.Compression = compression;
  if (bits <= 8) {
    for (std::uint32_t i = 0; i < (1u << bits); ++i) s.Palette.push_back(i * 0x010203u & 0xFFFFFFu);
  }
  if (compression == 3) s.Masks = {0xF800, 0x07E0, 0x001F};
  const std::uint32_t top = bits <= 8 ? (1u << bits) - 1 : 0xFFFFFFu;
  s.Values.resize(static_cast<std::size_t>(kWidth) * kHeight);
  for (std::size_t i = 0; i < s.Values.size(); ++i)
    s.Values[i] = static_cast<std::uint32_t>(i * 2654435761u) & top;
  return s;
}

// Rows of runs of 16 pixels: a typical RLE8 picture.
BmpContent RlePicture() {
  BmpContent s = Picture(8);
  s.Compression = 1;
  for (int row = 0; row < kHeight; ++row) {
    for (int x = 0; x < kWidth; x += 16) {
      s.Rle.push_back(16);
      s.Rle.push_back(static_cast<std::uint8_t>(row + x / 16));
    }
    s.Rle.insert(s.Rle.end(), {0, 0});
  }
  s.Rle.insert(s.Rle.end(), {0, 1});
  return s;
}

void Decode(benchmark::State& state, const BmpContent& content) {
  const std::vector<std::uint8_t> file = nox::test::WriteBmp(content);
  nox::TBitmap bmp;
  for (auto _ : state) {
    bmp.LoadFromBmpData(file);
    benchmark::DoNotOptimize(bmp.Bits());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

void BM_Bmp8Bit(benchmark::State& state) { Decode(state, Picture(8)); }
void BM_Bmp4Bit(benchmark::State& state) { Decode(state, Picture(4)); }
void BM_Bmp16Bit565(benchmark::State& state) { Decode(state, Picture(16, 3)); }
void BM_Bmp24Bit(benchmark::State& state) { Decode(state, Picture(24)); }
void BM_Bmp32Bit(benchmark::State& state) { Decode(state, Picture(32)); }
void BM_BmpRle8(benchmark::State& state) { Decode(state, RlePicture()); }

// From a file, as the chart does: reading included.
void BM_Bmp24BitFromFile(benchmark::State& state) {
  const std::vector<std::uint8_t> file = nox::test::WriteBmp(Picture(24));
  const std::string path = "bmp_reader_bench.bmp";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    state.SkipWithError("cannot write the picture file");
    return;
  }
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  nox::TBitmap bmp;
  for (auto _ : state) {
    bmp.LoadFromFile(path);
    benchmark::DoNotOptimize(bmp.Bits());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  std::remove(path.c_str());
}

BENCHMARK(BM_Bmp8Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp4Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp16Bit565)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp32Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpRle8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24BitFromFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
