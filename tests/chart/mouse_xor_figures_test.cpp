#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "chart/interaction/xor_figures.h"
#include "platform/bitmap.h"
#include "tests/support/pixel_helpers.h"

namespace nox::test {
namespace {

using detail::TXorFigure;
using detail::xfLine;
using detail::xfRect;

// A 40 x 30 image with a different colour in every pixel.
std::unique_ptr<TBitmap> Pattern() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(40, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) bitmap->SetPixel(x, y, static_cast<TColor>(x * 0x0701 + y * 0x030500));
  }
  return bitmap;
}

std::unique_ptr<TBitmap> CopyOf(const TBitmap& source) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(source);
  return copy;
}

TEST(XorFigures, DrawingAFigureTwiceRestoresTheImage) {
  const auto original = Pattern();
  for (const TXorFigure& figure :
       {TXorFigure{xfRect, {30, 25}, {5, 4}}, TXorFigure{xfLine, {2, 3}, {37, 21}}}) {
    const auto image = CopyOf(*original);
    detail::DrawXorFigure(image->Canvas(), figure);
    EXPECT_FALSE(SameImage(*original, *image));
    detail::DrawXorFigure(image->Canvas(), figure);
    EXPECT_TRUE(SameImage(*original, *image));
  }
}

TEST(XorFigures, RectangleLeavesItsRightAndBottomEdgeOutAndItsInsideAlone) {
  const auto original = Pattern();
  const auto image = CopyOf(*original);
  detail::DrawXorFigure(image->Canvas(), {xfRect, {10, 20}, {5, 5}});  // corners in any order
  const TBitmap& o = *original;
  const TBitmap& i = *image;
  EXPECT_NE(i.Pixel(5, 5), o.Pixel(5, 5));
  EXPECT_NE(i.Pixel(9, 19), o.Pixel(9, 19));
  EXPECT_EQ(i.Pixel(10, 10), o.Pixel(10, 10));
  EXPECT_EQ(i.Pixel(5, 20), o.Pixel(5, 20));
  EXPECT_EQ(i.Pixel(7, 10), o.Pixel(7, 10));  // inside: clear brush
  EXPECT_EQ(i.Pixel(5, 5), o.Pixel(5, 5) ^ 0xFFFFFF);
}

TEST(XorFigures, CanvasIsLeftInCopyModeWithASolidBrush) {
  const auto image = Pattern();
  detail::DrawXorFigure(image->Canvas(), {xfRect, {1, 1}, {9, 9}});
  EXPECT_EQ(image->Canvas().Pen().Mode(), pmCopy);
  EXPECT_EQ(image->Canvas().Brush().Style(), bsSolid);
}

TEST(XorFigures, AreaHoldsEveryChangedPixel) {
  const auto original = Pattern();
  const auto image = CopyOf(*original);
  image->Canvas().Pen().SetWidth(5);
  const TRect area = detail::DrawXorFigure(image->Canvas(), {xfLine, {8, 6}, {30, 20}});
  int changed = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (image->Pixel(x, y) == original->Pixel(x, y)) continue;
      ++changed;
      EXPECT_TRUE(area.Contains({x, y})) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 22 * 5);  // a wide line
}

TEST(XorFigures, AreaOfFarCornersDoesNotOverflow) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const TRect area = detail::FigureArea({xfRect, {kMin, kMin}, {kMax, kMax}}, kMax);
  EXPECT_EQ(area, (TRect{kMin, kMin, kMax, kMax}));
  const auto image = Pattern();
  const auto original = CopyOf(*image);
  detail::DrawXorFigure(image->Canvas(), {xfLine, {kMin, kMin}, {kMax, kMax}});
  detail::DrawXorFigure(image->Canvas(), {xfLine, {kMin, kMin}, {kMax, kMax}});
  EXPECT_TRUE(SameImage(*original, *image));
}

TEST(XorOverlay, KeepsAccountOfTheFiguresOnTheImage) {
  const auto original = Pattern();
  const auto image = CopyOf(*original);
  const TXorFigure a{xfRect, {2, 2}, {20, 15}};
  const TXorFigure b{xfLine, {0, 29}, {39, 0}};
  detail::TXorOverlay overlay;
  overlay.Toggle(image->Canvas(), a);
  overlay.Toggle(image->Canvas(), b);
  overlay.Toggle(image->Canvas(), a);
  ASSERT_EQ(overlay.Figures().size(), 1u);
  EXPECT_EQ(overlay.Figures()[0], b);
  // Painted anew underneath, then the figures put back on top.
  const auto repainted = CopyOf(*original);
  overlay.DrawAll(repainted->Canvas());
  EXPECT_TRUE(SameImage(*image, *repainted));
  overlay.EraseAll(image->Canvas());
  EXPECT_TRUE(overlay.Empty());
  EXPECT_TRUE(SameImage(*original, *image));
}

TEST(XorOverlay, UnionIgnoresEmptyRectangles) {
  EXPECT_EQ(detail::UnionRect({}, {1, 2, 3, 4}), (TRect{1, 2, 3, 4}));
  EXPECT_EQ(detail::UnionRect({1, 2, 3, 4}, {5, 5, 5, 9}), (TRect{1, 2, 3, 4}));
  EXPECT_EQ(detail::UnionRect({1, 2, 3, 4}, {0, 3, 2, 8}), (TRect{0, 2, 3, 8}));
}

}  // namespace
}  // namespace nox::test
