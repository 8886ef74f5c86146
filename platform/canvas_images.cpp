// Draw, StretchDraw and CopyRect: copies of bitmaps, scaled by nearest pixel: a destination pixel
// takes the source pixel under its centre mapped into the source rectangle.

#include "platform/canvas.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/bitmap.h"
#include "platform/raster_canvas.h"
#include "platform/raster_math.h"

namespace nox {

namespace {

// For each destination pixel first .. first + count - 1 of a destination range starting at
// destStart with destSize pixels: the source pixel sourceStart + floor((2 k + 1) sourceSize /
// (2 destSize)) for k = pixel - destStart, or -1 where that lies outside 0 .. sourceLimit - 1.
std::vector<int> NearestMap(std::int64_t first, std::int64_t count, std::int64_t destStart,
                            std::int64_t destSize, std::int64_t sourceStart, std::int64_t sourceSize,
                            int sourceLimit) {
  std::vector<int> map(static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t k = first + i - destStart;
    const detail::Int128 s =
        sourceStart + (detail::Int128{2} * k + 1) * sourceSize / (detail::Int128{2} * destSize);
    map[static_cast<std::size_t>(i)] = s >= 0 && s < sourceLimit ? static_cast<int>(s) : -1;
  }
  return map;
}

// Copies source pixels into the visible part of dest (half-open, non-empty) from sourceRect
// (half-open, non-empty) of a source image, by nearest pixel. Destination pixels that map outside
// the source image keep their colour.
void CopyScaled(TBitmap& target, const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
  const std::int64_t x0 = std::max<std::int64_t>(dest.Left, 0);
  const std::int64_t x1 = std::min<std::int64_t>(dest.Right, target.Width());
  const std::int64_t y0 = std::max<std::int64_t>(dest.Top, 0);
  const std::int64_t y1 = std::min<std::int64_t>(dest.Bottom, target.Height());
  if (x0 >= x1 || y0 >= y1 || source.Empty()) return;
  const std::vector<int> columns =
      NearestMap(x0, x1 - x0, dest.Left, std::int64_t{dest.Right} - dest.Left, sourceRect.Left,
                 std::int64_t{sourceRect.Right} - sourceRect.Left, source.Width());
  const std::vector<int> rows =
      NearestMap(y0, y1 - y0, dest.Top, std::int64_t{dest.Bottom} - dest.Top, sourceRect.Top,
                 std::int64_t{sourceRect.Bottom} - sourceRect.Top, source.Height());
  // Copying within one image reads from a snapshot, so overlapping areas come out right.
  std::vector<std::uint32_t> snapshot;
  const std::uint32_t* pixels = source.Bits();
  if (&source == &target) {
    snapshot.assign(source.PixelData().begin(), source.PixelData().end());
    pixels = snapshot.data();
  }
  const auto sourceWidth = static_cast<std::size_t>(source.Width());
  for (std::int64_t y = y0; y < y1; ++y) {
    const int sy = rows[static_cast<std::size_t>(y - y0)];
    if (sy < 0) continue;
    const std::uint32_t* from = pixels + static_cast<std::size_t>(sy) * sourceWidth;
    std::uint32_t* to = target.ScanLine(static_cast<int>(y));
    for (std::int64_t x = x0; x < x1; ++x) {
      const int sx = columns[static_cast<std::size_t>(x - x0)];
      if (sx >= 0) to[x] = from[sx];
    }
  }
}

}  // namespace

void TCanvas::Draw(int x, int y, const TBitmap& source) {
  if (source.Empty() || m_target.Empty()) return;
  // A bitmap drawn on a scaled canvas holds device pixels already.
  x = detail::SaturateToInt(m_map.EdgeX(x));
  y = detail::SaturateToInt(m_map.EdgeY(y));
  const std::int64_t x0 = std::max<std::int64_t>(x, 0);
  const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{x} + source.Width(), m_target.Width());
  const std::int64_t y0 = std::max<std::int64_t>(y, 0);
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{y} + source.Height(), m_target.Height());
  if (x0 >= x1 || y0 >= y1) return;
  std::vector<std::uint32_t> snapshot;
  const std::uint32_t* pixels = source.Bits();
  if (&source == &m_target) {
    snapshot.assign(source.PixelData().begin(), source.PixelData().end());
    pixels = snapshot.data();
  }
  const auto bytes = static_cast<std::size_t>(x1 - x0) * sizeof(std::uint32_t);
  for (std::int64_t row = y0; row < y1; ++row) {
    const std::uint32_t* from = pixels +
                                static_cast<std::size_t>(row - y) * static_cast<std::size_t>(source.Width()) +
                                static_cast<std::size_t>(x0 - x);
    std::memcpy(m_target.ScanLine(static_cast<int>(row)) + x0, from, bytes);
  }
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source) {
  if (dest.IsEmpty() || source.Empty() || m_target.Empty()) return;
  CopyScaled(m_target, DeviceRect(dest), source, TRect{0, 0, source.Width(), source.Height()});
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  if (dest.IsEmpty() || sourceRect.IsEmpty() || m_target.Empty()) return;
  CopyScaled(m_target, DeviceRect(dest), source.Target(), source.DeviceRect(sourceRect));
}

TRect TCanvas::DeviceRect(const TRect& r) const {
  const detail::Box box = DeviceBox({r.Left, r.Top, r.Right, r.Bottom});
  return {detail::SaturateToInt(box.left), detail::SaturateToInt(box.top), detail::SaturateToInt(box.right),
          detail::SaturateToInt(box.bottom)};
}

}  // namespace nox
