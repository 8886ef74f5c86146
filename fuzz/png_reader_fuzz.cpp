// PNG files: any bytes either load as a picture within the bitmap limits or are refused with
// EInvalidGraphic, and a refused file leaves the bitmap exactly as it was. The reader takes a file
// name, so each input is written to a scratch file of this process first.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "fuzz/bitmap_checks.h"
#include "fuzz/fuzz_support.h"
#include "platform/bitmap.h"

namespace nox::fuzz {
namespace {

// As for BMP files: pictures within the limits but larger than this are skipped, since decoding a
// picture of the largest size on every input slows the fuzzer down a hundredfold and finds nothing new.
constexpr long long kMaxDecodedPixels = 1 << 20;

std::uint32_t BigEndianU32At(std::span<const std::uint8_t> f, std::size_t at) {
  return (std::uint32_t{f[at]} << 24) | (std::uint32_t{f[at + 1]} << 16) | (std::uint32_t{f[at + 2]} << 8) |
         std::uint32_t{f[at + 3]};
}

// The size the header chunk (which libpng requires first) asks for.
bool AsksForAHugePicture(std::span<const std::uint8_t> f) {
  if (f.size() < 24) return false;
  const long long width = BigEndianU32At(f, 16);
  const long long height = BigEndianU32At(f, 20);
  const bool withinLimits = width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
                            width * height * 4 <= static_cast<long long>(kMaxBitmapBytes);
  return withinLimits && width * height > kMaxDecodedPixels;
}

const std::string& ScratchFile() {
  static const std::string path = [] {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("nox-png-fuzz-" + std::to_string(getpid()) + ".png");
    std::atexit([] { std::remove(ScratchFile().c_str()); });
    return file.string();
  }();
  return path;
}

void WriteScratchFile(std::span<const std::uint8_t> bytes) {
  std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
  Check(file != nullptr, "cannot create the scratch file");
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  Check(std::fclose(file) == 0 && written, "cannot write the scratch file");
}

void LoadPng(std::span<const std::uint8_t> bytes) {
  if (AsksForAHugePicture(bytes)) return;
  WriteScratchFile(bytes);

  TBitmap bitmap(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) bitmap.SetPixel(x, y, static_cast<TColor>(0x102030 * (x + 3 * y + 1)));
  }
  TBitmap before;
  before.Assign(bitmap);

  try {
    bitmap.LoadFromPngFile(ScratchFile());
  } catch (const EInvalidGraphic&) {
    Check(SamePixels(bitmap, before), "a refused PNG changed the bitmap");
    return;
  }

  CheckDecodedBitmap(bitmap);
}

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::LoadPng(std::span<const std::uint8_t>(data, size));
  return 0;
}
