#include "platform/bitmap.h"

#include <algorithm>
#include <string>

#include "platform/canvas.h"

namespace nox {

std::uint32_t ColorToPixel(TColor color) { return ToPixel(ColorToRGB(color)); }

void CheckBitmapSize(long long width, long long height) {
  if (width > kMaxBitmapSide || height > kMaxBitmapSide) {
    throw EInvalidGraphic("image size " + std::to_string(width) + " x " + std::to_string(height) +
                          " exceeds the limit of " + std::to_string(kMaxBitmapSide) + " pixels per side");
  }
  if (width > 0 && height > 0 &&
      static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > kMaxBitmapPixels) {
    throw EInvalidGraphic("image size " + std::to_string(width) + " x " + std::to_string(height) +
                          " exceeds the limit of " + std::to_string(kMaxBitmapPixels) + " pixels");
  }
}

TBitmap::TBitmap() : m_canvas(std::make_unique<TCanvas>(*this)) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == m_width && height == m_height) return;
  CheckBitmapSize(width, height);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, ToPixel(clWhite));
  const int keepW = std::min(width, m_width);
  const int keepH = std::min(height, m_height);
  for (int y = 0; y < keepH; ++y) {
    std::copy_n(ScanLine(y), keepW, pixels.data() + static_cast<std::size_t>(y) * width);
  }
  Adopt(width, height, std::move(pixels));
}

void TBitmap::Adopt(int width, int height, std::vector<std::uint32_t>&& pixels) {
  m_pixels = std::move(pixels);
  m_width = width;
  m_height = height;
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return clNone;
  return ToColor(ScanLine(y)[x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  ScanLine(y)[x] = ColorToPixel(color);
}

void TBitmap::Fill(TColor color) { std::fill(m_pixels.begin(), m_pixels.end(), ColorToPixel(color)); }

void TBitmap::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TBitmap*>(&Source)) {
    if (other == this) return;
    std::vector<std::uint32_t> pixels = other->m_pixels;
    Adopt(other->m_width, other->m_height, std::move(pixels));
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace nox
