#pragma once
// What every picture a reader accepted must be, whatever file it came from.

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/bitmap.h"

namespace nox::fuzz {

inline void CheckDecodedBitmap(const TBitmap& bitmap) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  Check(w >= 1 && h >= 1 && w <= kMaxBitmapSide && h <= kMaxBitmapSide, "loaded size out of limits");
  Check(bitmap.PixelData().size() == static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
        "pixel count does not match the size");
  for (const std::uint32_t pixel : bitmap.PixelData()) {
    Check((pixel & 0xFF000000u) == 0xFF000000u, "a decoded pixel is not opaque");
  }
}

}  // namespace nox::fuzz
