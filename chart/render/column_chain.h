#pragma once
// A chain of line points gathered column by column, for the run renderer (item_render_runs.cpp):
// consecutive points in one column join into one vertical segment through their least and greatest
// row, painted when the chain leaves the column; a segment from one column to another is painted
// as it is. How a pen paints the two comes from a Strokes policy:
//   void Column(int x, int low, int high)  the vertical segment through rows low .. high of column x
//   void Segment(TPoint a, TPoint b)       the segment from a to b (the 1-pixel pen leaves b out)
// The files that use a policy prove that these strokes paint what the chain's segments paint. The
// chain gathers logical pixels; the policies paint them on the device pixels they map to.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/device_map.h"
#include "platform/geometry.h"
#include "platform/raster_math.h"
#include "platform/raster_solid.h"
#include "platform/raster_spans.h"

namespace nox::detail {

// The logical pixels of the chain as the device pixels a pen of device width `PenWidth` draws
// through (platform/device_map.h): each coordinate mapped on its own, monotone in it.
struct TDeviceGrid {
  DeviceMap Map;
  int PenWidth;
  int X(int x) const { return SaturateToInt(Map.CentreX(x, PenWidth)); }
  int Y(int y) const { return SaturateToInt(Map.CentreY(y, PenWidth)); }
  TPoint Point(TPoint p) const { return Map.CentrePoint(p, PenWidth); }
};

// The 1-pixel solid pen in copy mode: columns whole, segments without their end pixel.
struct TThinStrokes {
  Surface Target;
  std::uint32_t Pixel;
  TDeviceGrid Grid;
  void Column(int x, int low, int high) const { PaintColumn(Target, Pixel, Grid.X(x), Grid.Y(low), Grid.Y(high)); }
  void Segment(TPoint a, TPoint b) const { PaintSolidLine(Target, Pixel, Grid.Point(a), Grid.Point(b)); }
};

// A solid pen `Grid.PenWidth` > 1 pixels wide in copy mode: round-capped strokes, both ends
// included (item_render_wide_runs.cpp).
struct TWideStrokes {
  Surface Target;
  std::uint32_t Pixel;
  TDeviceGrid Grid;
  void Column(int x, int low, int high) const;
  void Segment(TPoint a, TPoint b) const;
};

// The chain's last point may be known only by the item it comes from (after a block), and is
// computed when it is needed.
template <class Strokes, class Resolve>
class TColumnChain {
 public:
  TColumnChain(const Strokes& strokes, Resolve resolve) : m_strokes(strokes), m_resolve(resolve) {}

  void AddPoint(TPoint p) {
    if (m_open && p.X == m_x) {
      Extend(p.Y, p.Y);
    } else {
      if (m_open) {
        const TPoint from = Last();
        m_strokes.Column(m_x, m_low, m_high);
        m_strokes.Segment(from, p);
      }
      m_open = true;
      m_x = p.X;
      m_low = m_high = p.Y;
    }
    m_last = p;
    m_lastItem = kNoItem;
  }

  // AddPoint for points[0 .. n - 1] in turn; the points in the chain's column in one pass.
  void AddPoints(const TPoint* points, std::size_t n) {
    for (std::size_t i = 0; i < n;) {
      if (!m_open || points[i].X != m_x) {
        AddPoint(points[i++]);
        continue;
      }
      int low = m_low, high = m_high;
      for (; i < n && points[i].X == m_x; ++i) {
        low = std::min(low, points[i].Y);
        high = std::max(high, points[i].Y);
      }
      m_low = low;
      m_high = high;
      m_last = points[i - 1];
      m_lastItem = kNoItem;
    }
  }

  // Points in column x with rows low .. high, the first of them from item `firstItem`, the last
  // from `lastItem`.
  void AddColumn(int x, int low, int high, std::size_t firstItem, std::size_t lastItem) {
    // A chain in this column already reaches the block's first point by a vertical segment
    // within the rows gathered.
    if (!m_open || x != m_x) AddPoint(m_resolve(firstItem));
    Extend(low, high);
    m_lastItem = lastItem;
  }

  TPoint Last() {
    if (m_lastItem != kNoItem) {
      m_last = m_resolve(m_lastItem);
      m_lastItem = kNoItem;
    }
    return m_last;
  }

  // Paints the column that waits.
  void Close() {
    if (m_open) m_strokes.Column(m_x, m_low, m_high);
  }

  // Paints what waits, then the segment from the chain's last point to `end`.
  void FinishTo(TPoint end) {
    const TPoint from = Last();
    Close();
    m_strokes.Segment(from, end);
  }

 private:
  static constexpr std::size_t kNoItem = ~std::size_t{0};

  void Extend(int low, int high) {
    m_low = std::min(m_low, low);
    m_high = std::max(m_high, high);
  }

  Strokes m_strokes;
  Resolve m_resolve;
  bool m_open = false;
  int m_x = 0, m_low = 0, m_high = 0;  // the column the chain is in and its rows gathered so far
  TPoint m_last;
  std::size_t m_lastItem = kNoItem;  // the item whose point is the chain's last one, if not m_last
};

}  // namespace nox::detail
