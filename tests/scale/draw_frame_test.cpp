#include "scale/draw_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Nox_noxbase.h"
#include "platform/bitmap.h"

namespace nox {
namespace {

// Four colours told apart by letter: L light, M mid, S shadow, D dark, O outline, . untouched.
constexpr TColor kLight = 0x0000FF;
constexpr TColor kMid = 0x00FF00;
constexpr TColor kShadow = 0xFF0000;
constexpr TColor kDark = 0x00FFFF;
constexpr TColor kOutline = 0xFF00FF;

char Letter(TColor c) {
  switch (c) {
    case kLight:
      return 'L';
    case kMid:
      return 'M';
    case kShadow:
      return 'S';
    case kDark:
      return 'D';
    case kOutline:
      return 'O';
    case clWhite:
      return '.';
    default:
      return '?';
  }
}

std::vector<std::string> Frame(int style) {
  TBitmap b(6, 5);
  b.Fill(clWhite);
  DrawFrame(b.Canvas(), style, 0, 0, 5, 4, kLight, kMid, kShadow, kDark, kOutline);
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string row;
    for (int x = 0; x < b.Width(); ++x) row += Letter(b.Pixel(x, y));
    rows.push_back(row);
  }
  return rows;
}

using Rows = std::vector<std::string>;

TEST(DrawFrame, LoweredIsShadowAndLightOutsideDarkAndMidInside) {
  EXPECT_EQ(Frame(fsLowered), (Rows{"SSSSSS", "SDDDDL", "SD..ML", "SMMMML", "LLLLLL"}));
}

TEST(DrawFrame, RaisedEmbossedAndEngraved) {
  EXPECT_EQ(Frame(fsRaised), (Rows{"LLLLLL", "LMMMMD", "LM..SD", "LSSSSD", "DDDDDD"}));
  EXPECT_EQ(Frame(fsEmbossed), (Rows{"LLLLLL", "LSSSSS", "LS..LS", "LLLLLS", "SSSSSS"}));
  EXPECT_EQ(Frame(fsEngraved), (Rows{"SSSSSS", "SLLLLL", "SL..SL", "SSSSSL", "LLLLLL"}));
}

TEST(DrawFrame, SimpleIsAClosedOutline) {
  EXPECT_EQ(Frame(fsSimple), (Rows{"OOOOOO", "O....O", "O....O", "O....O", "OOOOOO"}));
}

TEST(DrawFrame, NoneAndUnknownStylesDrawNothing) {
  const Rows blank{"......", "......", "......", "......", "......"};
  EXPECT_EQ(Frame(fsNone), blank);
  EXPECT_EQ(Frame(6), blank);
  EXPECT_EQ(Frame(127), blank);
}

TEST(DrawFrame, OnlyTheLowSevenBitsOfTheStyleCount) { EXPECT_EQ(Frame(0x80 | fsRaised), Frame(fsRaised)); }

TEST(DrawFrame, FramesAtTheEndsOfTheCoordinateRangeDoNotFail) {
  TBitmap b(4, 4);
  b.Fill(clWhite);
  DrawFrame(b.Canvas(), fsLowered, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kLight, kMid, kShadow, kDark,
            kOutline);
  DrawBevel(b.Canvas(), INT_MAX, INT_MAX, INT_MIN, INT_MIN, kLight, kMid, kShadow, kDark);
  EXPECT_EQ(b.Pixel(2, 2), clWhite);
}

}  // namespace
}  // namespace nox
