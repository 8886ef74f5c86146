#pragma once
// An off-screen image of 32-bit pixels with its own canvas.
//
// Pixels are stored row by row, top row first, without padding, each as 0xFFRRGGBB in a uint32_t
// (the layout of QImage::Format_RGB32, so a host can show the image without converting it).
// TColor values ($00BBGGRR) are converted on the way in and out; see ToPixel and ToColor.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/object.h"

namespace nox {

class TCanvas;

// Pixel value of a colour (system colours resolved) and colour of a pixel value.
constexpr std::uint32_t ToPixel(TColor rgb) {
  return 0xFF000000u | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}
std::uint32_t ColorToPixel(TColor color);  // ToPixel(ColorToRGB(color))
constexpr TColor ToColor(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

// Largest accepted image, for the control's size, its images, exports and pictures read from files
// alike: 16384 pixels per side (a strip across several screens) and 6144 x 6144 = 36 Mi pixels
// (144 MiB) in all, which holds an 8K UHD screen (7680 x 4320 = 33.2 M) and an A4 or Letter page at
// 600 dpi (34.8 M, 33.7 M), the most a chart is ever shown or printed at.
constexpr int kMaxBitmapSide = 16384;
constexpr std::size_t kMaxBitmapPixels = std::size_t{6144} * 6144;
constexpr std::size_t kMaxBitmapBytes = kMaxBitmapPixels * sizeof(std::uint32_t);

class TBitmap : public TPersistent {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;
  std::string_view ClassName() const override { return "TBitmap"; }

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool Empty() const { return m_width == 0 || m_height == 0; }
  // Resizes; the overlapping top-left part keeps its pixels, new pixels are white. Negative sizes
  // count as 0; sizes beyond kMaxBitmapSide or kMaxBitmapBytes raise EInvalidGraphic.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, m_height); }
  void SetHeight(int height) { SetSize(m_width, height); }

  // The canvas that draws on this bitmap; it stays valid across resizes.
  TCanvas& Canvas() { return *m_canvas; }
  const TCanvas& Canvas() const { return *m_canvas; }

  std::uint32_t* ScanLine(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
  const std::uint32_t* ScanLine(int y) const {
    return m_pixels.data() + static_cast<std::size_t>(y) * m_width;
  }
  std::uint32_t* Bits() { return m_pixels.data(); }
  const std::uint32_t* Bits() const { return m_pixels.data(); }
  std::span<const std::uint32_t> PixelData() const { return m_pixels; }

  // Colour of a pixel ($00BBGGRR); outside the image: clNone.
  TColor Pixel(int x, int y) const;
  // Sets one pixel; outside the image nothing happens.
  void SetPixel(int x, int y, TColor color);
  // Fills the whole image with one colour.
  void Fill(TColor color);

  // Copies size and pixels of another bitmap.
  void Assign(const TPersistent& Source) override;

  // Loads a device-independent bitmap file (BMP: 1, 4, 8, 24 and 32 bits per pixel, uncompressed,
  // bit fields or RLE4/RLE8, bottom-up or top-down). Throws EFileError when the file cannot be read
  // or is no regular file (a directory, FIFO or device is refused unread, see
  // platform/regular_file.h) and EInvalidGraphic, saying what is wrong, when its content is not a
  // valid picture or the file is larger than one within the limits can be; on any error the bitmap
  // keeps its old size and pixels.
  void LoadFromFile(const std::string& path);
  void LoadFromBmpData(std::span<const std::uint8_t> data);

  // PNG files (8-bit RGB). Saving replaces the file in one step (platform/file_replace.h) and throws
  // EFileError on failure, leaving any old file as it was; loading has the same guarantees as
  // LoadFromFile. Any PNG colour type is accepted and converted to RGB (alpha and ancillary chunks
  // are dropped).
  void SaveToPngFile(const std::string& path) const;
  void LoadFromPngFile(const std::string& path);

  friend bool SamePixels(const TBitmap& a, const TBitmap& b) {
    return a.m_width == b.m_width && a.m_height == b.m_height && a.m_pixels == b.m_pixels;
  }

 private:
  // Takes over decoded pixels (already checked against the limits).
  void Adopt(int width, int height, std::vector<std::uint32_t>&& pixels);

  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint32_t> m_pixels;
  std::unique_ptr<TCanvas> m_canvas;
};

// Checks a requested image size against the limits before anything is allocated; throws
// EInvalidGraphic naming the size when it is too large.
void CheckBitmapSize(long long width, long long height);

}  // namespace nox
