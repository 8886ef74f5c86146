// Device-independent bitmap files: any bytes either load as a picture within the bitmap limits or
// are refused with EInvalidGraphic, and a refused file leaves the bitmap exactly as it was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "fuzz/bitmap_checks.h"
#include "fuzz/fuzz_support.h"
#include "platform/bitmap.h"

namespace nox::fuzz {
namespace {

// A few bytes of RLE data can ask for a picture as large as the bitmap limits allow (144 MiB), which
// is then decoded in full: fine once, but a fuzzer that does it on every input runs a hundred times
// slower and finds nothing new.
// Headers that ask for more pixels than this (and lie within the bitmap limits, so that they would
// be accepted) are skipped; larger ones still run, since their refusal costs nothing.
constexpr long long kMaxDecodedPixels = 1 << 20;

std::uint32_t U32At(std::span<const std::uint8_t> f, std::size_t at) {
  return std::uint32_t{f[at]} | (std::uint32_t{f[at + 1]} << 8) | (std::uint32_t{f[at + 2]} << 16) |
         (std::uint32_t{f[at + 3]} << 24);
}

bool AsksForAHugePicture(std::span<const std::uint8_t> f) {
  if (f.size() < 26 || f[0] != 'B' || f[1] != 'M') return false;
  long long width = 0;
  long long height = 0;
  if (U32At(f, 14) == 12) {
    width = f[18] | (f[19] << 8);
    height = f[20] | (f[21] << 8);
  } else {
    width = static_cast<std::int32_t>(U32At(f, 18));
    height = std::llabs(static_cast<std::int32_t>(U32At(f, 22)));
  }
  const bool withinLimits = width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
                            width * height * 4 <= static_cast<long long>(kMaxBitmapBytes);
  return withinLimits && width * height > kMaxDecodedPixels;
}

void LoadBmp(std::span<const std::uint8_t> file) {
  if (AsksForAHugePicture(file)) return;
  // A bitmap with content of its own, so that a refusal that touched its pixels shows.
  TBitmap bitmap(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) bitmap.SetPixel(x, y, static_cast<TColor>(0x102030 * (x + 3 * y + 1)));
  }
  TBitmap before;
  before.Assign(bitmap);

  try {
    bitmap.LoadFromBmpData(file);
  } catch (const EInvalidGraphic&) {
    Check(SamePixels(bitmap, before), "a refused BMP changed the bitmap");
    return;
  }

  CheckDecodedBitmap(bitmap);
}

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::LoadBmp(std::span<const std::uint8_t>(data, size));
  return 0;
}
