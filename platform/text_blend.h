#pragma once
// Mixing the ink of a glyph into a pixel by its coverage.

#include <cstdint>

namespace nox::detail {

// ink over pixel (both 0xFFRRGGBB) with coverage alpha 0..255: each channel becomes
// round((ink * alpha + pixel * (255 - alpha)) / 255); alpha 0 keeps the pixel, 255 gives the ink.
// With t = that sum + 128, t / 255 is computed as (t + (t >> 8)) >> 8, exact for t <= 255 * 255 + 128;
// red and blue share one multiplication, as 16 bits hold each of them.
constexpr std::uint32_t BlendCoverage(std::uint32_t pixel, std::uint32_t ink, std::uint32_t alpha) {
  const std::uint32_t rest = 255 - alpha;
  std::uint32_t rb = (ink & 0xFF00FFu) * alpha + (pixel & 0xFF00FFu) * rest + 0x800080u;
  rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
  std::uint32_t g = ((ink >> 8) & 0xFFu) * alpha + ((pixel >> 8) & 0xFFu) * rest + 128u;
  g = ((g + (g >> 8)) >> 8) << 8;
  return 0xFF000000u | rb | g;
}

}  // namespace nox::detail
