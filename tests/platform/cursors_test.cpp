// The program's cursor images exist, are complete, and have their hot spot on the picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/cursors.h"

namespace nox {
namespace {

TEST(Cursors, EachResourceIsAFullPictureWithAHotSpotOnIt) {
  for (const char* name : {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"}) {
    SCOPED_TRACE(name);
    const TCursorImage* image = FindCursorResource(name);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width, 32);
    EXPECT_EQ(image->Height, 32);
    ASSERT_EQ(image->Pixels.size(), 32u * 32u);
    const auto count = [&](std::uint32_t pixel) {
      return std::count(image->Pixels.begin(), image->Pixels.end(), pixel);
    };
    EXPECT_GT(count(0xFF000000u), 0);  // outline
    EXPECT_GT(count(0xFFFFFFFFu), 0);  // fill
    EXPECT_GT(count(0x00000000u), 0);  // see-through
    EXPECT_EQ(count(0xFF000000u) + count(0xFFFFFFFFu) + count(0x00000000u), 32 * 32);
    ASSERT_TRUE(image->HotX >= 0 && image->HotX < 32 && image->HotY >= 0 && image->HotY < 32);
    // the point that acts lies on the drawn picture, not in the see-through part
    EXPECT_NE(image->Pixels[static_cast<std::size_t>(image->HotY * 32 + image->HotX)], 0u);
  }
}

TEST(Cursors, ImagesDifferAndUnknownNamesAreNotFound) {
  const TCursorImage* window = FindCursorResource("CURZOOMW");
  const TCursorImage* drag = FindCursorResource("CURZOOMD");
  const TCursorImage* keep = FindCursorResource("CURZOOMP");
  ASSERT_TRUE(window && drag && keep);
  EXPECT_NE(window->Pixels, drag->Pixels);
  EXPECT_NE(window->Pixels, keep->Pixels);
  EXPECT_EQ(FindCursorResource("CURZOOMW"), window);  // one image per name, made once
  EXPECT_EQ(FindCursorResource("curhand"), nullptr);
  EXPECT_EQ(FindCursorResource(""), nullptr);
}

}  // namespace
}  // namespace nox
