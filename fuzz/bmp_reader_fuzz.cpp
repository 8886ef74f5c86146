// Device-independent bitmap files: any bytes either load as a picture within the bitmap limits or
// are refused with EInvalidGraphic, and a refused file leaves the bitmap exactly as it was.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/fuzz_support.h"
#include "platform/bitmap.h"

namespace nox::fuzz {
namespace {

void LoadBmp(std::span<const std::uint8_t> file) {
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

  const int w = bitmap.Width();
  const int h = bitmap.Height();
  Check(w >= 1 && h >= 1 && w <= kMaxBitmapSide && h <= kMaxBitmapSide, "loaded size out of limits");
  Check(bitmap.PixelData().size() == static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
        "pixel count does not match the size");
  for (const std::uint32_t pixel : bitmap.PixelData()) {
    Check((pixel & 0xFF000000u) == 0xFF000000u, "a decoded pixel is not opaque");
  }
}

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::LoadBmp(std::span<const std::uint8_t>(data, size));
  return 0;
}
