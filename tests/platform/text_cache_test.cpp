// The process-wide face and glyph cache: the same pixels every time, for every font in any order,
// from two threads at once, and within its memory bound.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/text_cache.h"
#include "tests/platform/text_test_support.h"

namespace nox {
namespace {

using text_test::FontChoice;
using text_test::Rendered;

const std::vector<FontChoice> kFonts = {
    {-13}, {-13, {fsBold}}, {-15}, {13}, {-13, {fsItalic}, clRed}, {-13, {}, clBlack, "Times New Roman"},
    {0}};

TEST(TextCache, RepeatedCallsGiveIdenticalPixels) {
  const auto first = Rendered({-13}, "12.5 \xC3\xA9t\xC3\xA9 1000");
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(SamePixels(first->bitmap, Rendered({-13}, "12.5 \xC3\xA9t\xC3\xA9 1000")->bitmap));
}

TEST(TextCache, FontsDrawAloneAsTheyDrawInterleaved) {
  // Each font on its own ...
  std::vector<std::unique_ptr<text_test::TextBitmap>> alone;
  for (const FontChoice& font : kFonts) alone.push_back(Rendered(font, "Wg 0.25 \xE2\x82\xAC"));
  // ... and all of them in turns on one canvas, switching the font before every string.
  TBitmap shared(120, 60);
  for (int round = 0; round < 2; ++round)
    for (std::size_t i = 0; i < kFonts.size(); ++i) {
      shared.Fill(text_test::kBackground);
      text_test::ApplyFont(shared.Canvas().Font(), kFonts[i]);
      shared.Canvas().Brush().SetStyle(bsClear);
      shared.Canvas().TextOut(4, 4, "Wg 0.25 \xE2\x82\xAC");
      EXPECT_TRUE(SamePixels(shared, alone[i]->bitmap)) << "font " << i << " round " << round;
    }
}

TEST(TextCache, DifferentFontsGiveDifferentPixels) {
  // Guards the comparison above: the fonts in the list are really different (but for the serif
  // name, which the pinned sans face stands in for: that one tests that the name is part of the key).
  for (std::size_t i = 1; i < kFonts.size(); ++i) {
    if (kFonts[i].name != "Arial") continue;
    EXPECT_FALSE(SamePixels(Rendered(kFonts[0], "Wg 0.25")->bitmap, Rendered(kFonts[i], "Wg 0.25")->bitmap))
        << i;
  }
}

TEST(TextCache, TwoThreadsDrawingAtOnceGetTheSamePixelsAsOne) {
  const std::vector<std::string> labels = {"12.5", "-60", "110", "0.001", "1e-100", "\xC3\x85ngstr\xC3\xB6m"};
  const auto drawAll = [&](TBitmap& bitmap, int salt) {
    for (int i = 0; i < 300; ++i) {
      const FontChoice& font = kFonts[(i + salt) % kFonts.size()];
      text_test::ApplyFont(bitmap.Canvas().Font(), font);
      bitmap.Canvas().Font().SetHeight(font.height - i % 7);  // sizes not cached yet
      bitmap.Canvas().TextOut((i * 37) % 200, (i * 53) % 100, labels[i % labels.size()]);
    }
  };
  TBitmap reference0(240, 120), reference1(240, 120);
  drawAll(reference0, 0);
  drawAll(reference1, 3);
  {
    // Empty the caches so that both threads build entries at the same time.
    detail::TextCache& cache = detail::TextCache::Instance();
    const std::lock_guard lock(cache.Lock());
    const std::string folder = cache.Directory();
    cache.SetDirectory(folder + "/");
    cache.SetDirectory(folder);
  }
  TBitmap parallel0(240, 120), parallel1(240, 120);
  std::thread other([&] { drawAll(parallel1, 3); });
  drawAll(parallel0, 0);
  other.join();
  EXPECT_TRUE(SamePixels(parallel0, reference0));
  EXPECT_TRUE(SamePixels(parallel1, reference1));
}

TEST(TextCache, GlyphMemoryStaysBoundedAndPixelsSurviveAFlush) {
  // Glyphs of a thousand pixels take most of a megabyte each: these overflow the bound.
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const auto before = Rendered({-30}, "Wg 12.5");
  TBitmap big(64, 64);
  big.Canvas().Font().SetName("Arial");
  big.Canvas().Font().SetHeight(-1000);
  for (char c : alphabet) {
    big.Canvas().TextOut(-300, -300, std::string(1, c));
    detail::TextCache& cache = detail::TextCache::Instance();
    const std::lock_guard lock(cache.Lock());
    ASSERT_LE(cache.GlyphBytes(), detail::kGlyphCacheBytes);
  }
  EXPECT_TRUE(SamePixels(before->bitmap, Rendered({-30}, "Wg 12.5")->bitmap));
}

TEST(TextCache, EveryRenderedGlyphLiesInsideItsMeasuredExtent) {
  // Text drawing renders only glyphs whose extent reaches the bitmap, so an extent that missed a
  // pixel of its glyph, or an advance that differed, would change what is drawn.
  for (const FontChoice& choice :
       {FontChoice{-1}, FontChoice{-7}, FontChoice{-13, {fsItalic}}, FontChoice{-40, {fsBold}},
        FontChoice{-333, {fsItalic, fsBold}}, FontChoice{-1000}}) {
    TFont font;
    text_test::ApplyFont(font, choice);
    detail::TextSession session(font);
    for (char32_t c : std::u32string(U" !.gjWy|_@Q0\u00e9\u00c5\u20ac\u2211\u4e2d\U0001F600")) {
      const detail::GlyphExtent extent = session.Extent(c);
      const detail::TextGlyph& glyph = session.Glyph(c);
      EXPECT_EQ(extent.advance, glyph.advance) << choice.height << " U+" << std::hex << unsigned(c);
      if (glyph.coverage.empty()) continue;
      EXPECT_TRUE(extent.left <= glyph.left && glyph.left + glyph.width <= extent.right &&
                  extent.top <= -glyph.top && -glyph.top + glyph.rows <= extent.bottom)
          << choice.height << " U+" << std::hex << unsigned(c);
    }
  }
}

}  // namespace
}  // namespace nox
