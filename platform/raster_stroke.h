#pragma once
// The line of a pen wider than one pixel: every pixel whose sample point lies closer than half the
// width to the segment between the two end points (pixel centres). The ends are round caps and
// both end pixels are included, so the segments of a polyline meet in round joins.
//
// The sample point of a pixel is its centre for odd widths and the centre moved half a pixel right
// and down for even widths; so a horizontal or vertical line is exactly `width` pixels thick, the
// extra row or column of an even width lying above or left of the ideal line.

#include <algorithm>
#include <cstdint>

#include "platform/raster_math.h"

namespace nox::detail {

class Capsule {
 public:
  // width > 1.
  Capsule(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t width);

  // The rows that may hold covered pixels (before clipping to an image).
  std::int64_t FirstRow() const { return m_firstRow; }
  std::int64_t LastRow() const { return m_lastRow; }
  // The covered pixels of row y within columns 0 .. imageWidth - 1; false when there are none.
  bool Row(std::int64_t y, int imageWidth, int& x0, int& x1) const;
  // Whether the pixel (x, y) is covered (exact).
  bool Covers(std::int64_t x, std::int64_t y) const;
  // For a vertical segment, the rows whose sample row lies within the segment's rows: a sample's
  // distance from the segment is then its horizontal one, so these rows are all covered alike.
  // first > last for other segments.
  void LevelRows(std::int64_t& first, std::int64_t& last) const;

 private:
  // Doubled values below kSmall take the fast path: doubles, 64-bit products, and boundaries
  // that need no exact check unless a sample lies within kTolerance of them.
  static constexpr std::int64_t kSmall = std::int64_t{1} << 20;
  static constexpr double kTolerance = 1.0 / 64;
  // The covered sample interval of row y, estimated; false when the row is not covered.
  bool EstimateSmall(std::int64_t y, double& lo, double& hi) const;
  bool EstimateLarge(std::int64_t y, long double& lo, long double& hi) const;

  std::int64_t m_ax2, m_ay2, m_bx2, m_by2;  // end points in doubled coordinates
  std::int64_t m_dx2, m_dy2;                // b - a, doubled
  std::int64_t m_width;                     // the radius in doubled units
  std::int64_t m_offset;                    // 1 for even widths: sample point = 2 * pixel + offset
  UInt128 m_length2;                        // |b - a|^2, doubled units
  long double m_length;                     // |b - a|, doubled units
  bool m_small;                             // end points and width below kSmall
  std::int64_t m_firstRow, m_lastRow;
};

// Sends the covered pixels of every visible row to the sink.
template <class Sink>
void StrokeSegment(const Capsule& capsule, int width, int height, Sink& sink) {
  const std::int64_t first = capsule.FirstRow() < 0 ? 0 : capsule.FirstRow();
  const std::int64_t last = capsule.LastRow() >= height ? height - 1 : capsule.LastRow();
  std::int64_t levelFirst, levelLast;
  capsule.LevelRows(levelFirst, levelLast);
  for (std::int64_t y = first; y <= last; ++y) {
    int x0 = 0, x1 = 0;
    const bool covered = capsule.Row(y, width, x0, x1);
    // A row level with a vertical segment stands for the level rows after it.
    const std::int64_t alike = y >= levelFirst && y <= levelLast ? std::min(levelLast, last) : y;
    for (; covered && y < alike; ++y) sink.Span(static_cast<int>(y), x0, x1);
    if (covered) sink.Span(static_cast<int>(y), x0, x1);
    y = alike;
  }
}

}  // namespace nox::detail
