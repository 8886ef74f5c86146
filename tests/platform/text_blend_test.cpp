// Coverage blending of glyph ink, checked against exact rounding for every input.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/text_blend.h"

namespace nox {
namespace {

// round((ink * alpha + pixel * (255 - alpha)) / 255); a tie cannot occur, as 255 is odd.
std::uint32_t ExactChannel(std::uint32_t ink, std::uint32_t pixel, std::uint32_t alpha) {
  const std::uint32_t sum = ink * alpha + pixel * (255 - alpha);
  return (2 * sum + 255) / 510;
}

std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return 0xFF000000u | r << 16 | g << 8 | b;
}

TEST(TextBlend, EveryChannelIsRoundedExactly) {
  // Every coverage, every ink value, every pixel value; the three channels get different pairs so
  // that a carry from one into its neighbour shows.
  for (std::uint32_t alpha = 0; alpha < 256; ++alpha)
    for (std::uint32_t i = 0; i < 256; ++i)
      for (std::uint32_t p = 0; p < 256; ++p) {
        const std::uint32_t ink = Pack(i, 255 - i, i ^ 0xA5u);
        const std::uint32_t pixel = Pack(p, p ^ 0x5Au, 255 - p);
        const std::uint32_t expected =
            Pack(ExactChannel(i, p, alpha), ExactChannel(255 - i, p ^ 0x5Au, alpha),
                 ExactChannel(i ^ 0xA5u, 255 - p, alpha));
        const std::uint32_t got = detail::BlendCoverage(pixel, ink, alpha);
        if (got != expected) {
          ADD_FAILURE() << std::hex << "ink " << ink << " pixel " << pixel << " alpha " << alpha << ": "
                        << got << " instead of " << expected;
          return;
        }
      }
}

TEST(TextBlend, NoCoverageKeepsThePixelAndFullCoverageGivesTheInk) {
  EXPECT_EQ(detail::BlendCoverage(0xFF123456u, 0xFFFEDCBAu, 0), 0xFF123456u);
  EXPECT_EQ(detail::BlendCoverage(0xFF123456u, 0xFFFEDCBAu, 255), 0xFFFEDCBAu);
}

}  // namespace
}  // namespace nox
