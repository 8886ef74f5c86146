#include "support/pixel_helpers.h"

#include <algorithm>
#include <sstream>

namespace nox::test {

int CountColor(const TBitmap& bitmap, TColor color) {
  const std::uint32_t pixel = ColorToPixel(color);
  return static_cast<int>(std::count(bitmap.PixelData().begin(), bitmap.PixelData().end(), pixel));
}

int CountOther(const TBitmap& bitmap, TColor color) {
  return bitmap.Width() * bitmap.Height() - CountColor(bitmap, color);
}

TRect Extent(const TBitmap& bitmap, TColor background) {
  TRect r{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.Pixel(x, y) == background) continue;
      r.Left = std::min(r.Left, x);
      r.Top = std::min(r.Top, y);
      r.Right = std::max(r.Right, x + 1);
      r.Bottom = std::max(r.Bottom, y + 1);
    }
  }
  return r.IsEmpty() ? TRect{} : r;
}

std::vector<std::pair<int, int>> PixelsOf(const TBitmap& bitmap, TColor color) {
  std::vector<std::pair<int, int>> pixels;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.Pixel(x, y) == color) pixels.emplace_back(x, y);
    }
  }
  return pixels;
}

std::string Ascii(const TBitmap& bitmap, const TRect& region, TColor background, TColor ink) {
  std::string text;
  for (int y = region.Top; y < region.Bottom; ++y) {
    for (int x = region.Left; x < region.Right; ++x) {
      const TColor c = bitmap.Pixel(x, y);
      text += c == background ? '.' : (c == ink ? '#' : 'o');
    }
    text += '\n';
  }
  return text;
}

::testing::AssertionResult SameImage(const TBitmap& expected, const TBitmap& actual) {
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
    return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height()
                                         << ", expected " << expected.Width() << "x" << expected.Height();
  }
  int differ = 0, fx = 0, fy = 0;
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      if (expected.Pixel(x, y) == actual.Pixel(x, y)) continue;
      if (differ++ == 0) {
        fx = x;
        fy = y;
      }
    }
  }
  if (differ == 0) return ::testing::AssertionSuccess();
  // The neighbourhood of the first difference, '#' where the images differ.
  const TRect around{std::max(fx - 8, 0), std::max(fy - 4, 0), std::min(fx + 9, actual.Width()),
                     std::min(fy + 5, actual.Height())};
  std::ostringstream picture;
  for (int y = around.Top; y < around.Bottom; ++y) {
    for (int x = around.Left; x < around.Right; ++x)
      picture << (expected.Pixel(x, y) == actual.Pixel(x, y) ? '.' : '#');
    picture << '\n';
  }
  std::ostringstream msg;
  msg << differ << " pixels differ; first at (" << fx << ", " << fy << "): expected 0x" << std::hex
      << expected.Pixel(fx, fy) << ", actual 0x" << actual.Pixel(fx, fy) << std::dec << "\nregion from ("
      << around.Left << ", " << around.Top << "), '#' marks a difference:\n"
      << picture.str();
  return ::testing::AssertionFailure() << msg.str();
}

::testing::AssertionResult XorRoundTrip(int width, int height, const std::function<void(TPen&)>& setPen,
                                        const std::function<void(TCanvas&)>& draw) {
  TBitmap painted(width, height);  // the figure in copy mode: black on white
  setPen(painted.Canvas().Pen());
  painted.Canvas().Pen().SetMode(pmCopy);
  painted.Canvas().Pen().SetColor(clBlack);
  painted.Canvas().Brush().SetStyle(bsClear);
  draw(painted.Canvas());

  TBitmap image(width, height), before(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5), 99));
    }
  }
  before.Assign(image);
  TCanvas& c = image.Canvas();
  setPen(c.Pen());
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Brush().SetStyle(bsClear);
  draw(c);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool inFigure = painted.Pixel(x, y) == clBlack;
      const TColor expected = inFigure ? (before.Pixel(x, y) ^ clWhite) : before.Pixel(x, y);
      if (image.Pixel(x, y) != expected) {
        return ::testing::AssertionFailure()
               << "after one XOR call pixel (" << x << ", " << y << ") is "
               << (inFigure ? "not flipped once" : "changed outside the figure");
      }
    }
  }
  draw(c);
  const ::testing::AssertionResult restored = SameImage(before, image);
  if (!restored)
    return ::testing::AssertionFailure() << "the second XOR call does not restore: " << restored.message();
  return ::testing::AssertionSuccess();
}

std::uint64_t Checksum(const TBitmap& bitmap) {
  std::uint64_t h = 14695981039346656037ull;
  const auto mix = [&h](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xFFu;
      h *= 1099511628211ull;
    }
  };
  mix(static_cast<std::uint32_t>(bitmap.Width()));
  mix(static_cast<std::uint32_t>(bitmap.Height()));
  for (const std::uint32_t p : bitmap.PixelData()) mix(p);
  return h;
}

}  // namespace nox::test
