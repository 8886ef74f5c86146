#include <gtest/gtest.h>

#include "base/Nox_noxcolors.h"

namespace nox {
namespace {

TEST(LayerColors, DefaultColourOfEachLayer) {
  const TColor expected[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                               0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                               0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(DefaultLayerColor(n), expected[n - 1]) << "layer " << n;
}

TEST(LayerColors, LayersOutsideTheRangeGiveBlack) {
  EXPECT_EQ(DefaultLayerColor(0), clBlack);
  EXPECT_EQ(DefaultLayerColor(17), clBlack);
  EXPECT_EQ(DefaultLayerColor(-2147483647 - 1), clBlack);
}

TEST(GreyValue, WeightsOfTheThreeComponents) {
  EXPECT_EQ(GreyValue(0xC0C0C0), 192);
  EXPECT_EQ(GreyValue(0x808080), 128);
  EXPECT_EQ(GreyValue(clLime), 150);  // 0.59 * 255 = 150.45
  EXPECT_EQ(GreyValue(clRed), 76);   // 76.5 in decimal; 0.3 lies a hair lower in binary, and a tie goes to 76
  EXPECT_EQ(GreyValue(clBlue), 28);  // 0.11 * 255 = 28.05
  EXPECT_EQ(GreyValue(clWhite), 255);
  EXPECT_EQ(GreyValue(255, 0, 0), 76);
  EXPECT_EQ(GreyValue(10, 20, 30), 18);  // 3 + 11.8 + 3.3 = 18.1
}

TEST(GreyValue, SystemColourIsTreatedByItsLowThreeBytes) {
  // clBtnFace is $FF00000F: red 15 gives 4 (4.5 in decimal); the top byte is not resolved to the
  // theme's grey, which would give 192 and black.
  EXPECT_EQ(GreyValue(clBtnFace), 4);
  EXPECT_EQ(GreyValue(0xFF808080u), 128);
  EXPECT_EQ(ContrastColor(clBtnFace), clWhite);
  EXPECT_EQ(ContrastColor(0xFFC0C0C0u), clBlack);
}

TEST(GreyValue, ComponentsOutsideTheByteRangeDoNotOverflow) {
  EXPECT_EQ(GreyValue(2147483647, 2147483647, 2147483647), 2147483647);
  EXPECT_EQ(GreyValue(-2147483647 - 1, 0, 0), -644245094);
}

TEST(ContrastColor, BlackFromGrey140Up) {
  EXPECT_EQ(ContrastColor(0xC0C0C0), clBlack);
  EXPECT_EQ(ContrastColor(0x808080), clWhite);
  EXPECT_EQ(ContrastColor(clLime), clBlack);
  EXPECT_EQ(ContrastColor(clRed), clWhite);
  EXPECT_EQ(ContrastColor(RGB(140, 140, 140)), clBlack);
  EXPECT_EQ(ContrastColor(RGB(139, 139, 139)), clWhite);
}

}  // namespace
}  // namespace nox
