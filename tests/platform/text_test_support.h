#pragma once
// Helpers of the text tests: a white bitmap whose canvas is set up for text, and pixel queries.

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace nox::text_test {

constexpr TColor kBackground = clWhite;

struct FontChoice {
  int height = -13;
  TFontStyles style = {};
  TColor color = clBlack;
  std::string_view name = "Arial";
};

inline void ApplyFont(TFont& font, const FontChoice& wanted) {
  font.SetName(std::string(wanted.name));
  font.SetHeight(wanted.height);
  font.SetStyle(wanted.style);
  font.SetColor(wanted.color);
}

// A white bitmap whose canvas draws text with a clear brush in the given font.
struct TextBitmap {
  explicit TextBitmap(const FontChoice& font, int width = 120, int height = 60) : bitmap(width, height) {
    bitmap.Fill(kBackground);
    ApplyFont(bitmap.Canvas().Font(), font);
    bitmap.Canvas().Brush().SetStyle(bsClear);
  }
  TCanvas& Canvas() { return bitmap.Canvas(); }
  TBitmap bitmap;
};

// A bitmap with text drawn at (x, y).
inline std::unique_ptr<TextBitmap> Rendered(const FontChoice& font, std::string_view text, int x = 4,
                                            int y = 4, int width = 120, int height = 60) {
  auto t = std::make_unique<TextBitmap>(font, width, height);
  t->Canvas().TextOut(x, y, text);
  return t;
}

// Bounding box of the pixels that differ from a colour; an empty rectangle when there are none.
inline TRect ChangedBox(const TBitmap& bitmap, TColor unchanged) {
  TRect box{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Pixel(x, y) != unchanged) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? TRect{} : box;
}

inline int CountPixels(const TBitmap& bitmap, TColor color) {
  int n = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.Pixel(x, y) == color ? 1 : 0;
  return n;
}

// True when the part of big at (dx, dy) equals small pixel for pixel.
inline bool SameAsPart(const TBitmap& small, const TBitmap& big, int dx, int dy) {
  for (int y = 0; y < small.Height(); ++y)
    for (int x = 0; x < small.Width(); ++x)
      if (small.Pixel(x, y) != big.Pixel(x + dx, y + dy)) return false;
  return true;
}

}  // namespace nox::text_test
