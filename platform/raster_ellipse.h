#pragma once
// The digital ellipse of a box, row by row, so that a figure costs only its visible rows.
//
// The ideal curve is the ellipse through the centres of the box's outermost pixels (semi-axes
// (width - 1) / 2 and (height - 1) / 2). A pixel is inside when its centre, moved half a pixel
// toward the centre along x or along y, lies on or within that curve: this keeps the flat parts
// of the outline as runs along x and the steep parts as runs along y, as a line of the same slope
// would be drawn, and gives every row of the box at least one pixel, so thin ellipses (even 1 or 2
// pixels wide) reach all four sides of their box. The region is symmetric about both axes of the
// box; every row is one span.
//
// The outline of a region is its pixels that have a 4-neighbour outside it; it is 8-connected and
// one pixel thick, and each row holds it as one or two spans.

#include <cstdint>

namespace nox::detail {

class EllipseRegion {
 public:
  // The box of pixels left .. right - 1 and top .. bottom - 1; an empty box has no rows.
  EllipseRegion(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

  bool Empty() const { return m_a < 0 || m_b < 0; }
  std::int64_t Top() const { return m_top; }
  std::int64_t Bottom() const { return m_top + m_b + 1; }  // past the last row
  bool HasRow(std::int64_t y) const { return !Empty() && y >= m_top && y <= m_top + m_b; }
  // The span of row y (HasRow(y)), both ends included.
  void Row(std::int64_t y, std::int64_t& x0, std::int64_t& x1) const;

  // The centre in doubled coordinates (odd where it lies between two pixels).
  std::int64_t CentreX2() const { return 2 * m_left + m_a; }
  std::int64_t CentreY2() const { return 2 * m_top + m_b; }
  std::int64_t A() const { return m_a; }  // width - 1
  std::int64_t B() const { return m_b; }  // height - 1
  // The inside half-width (doubled) of the row with the doubled offset y2 from the centre.
  std::int64_t HalfWidth(std::int64_t y2) const;

 private:
  std::int64_t m_left, m_top;
  std::int64_t m_a, m_b;  // doubled semi-axes: width - 1 and height - 1
};

// One row of a figure drawn as an outline around an inside: the figure's pixels x0 .. x1, of which
// in0 .. in1 (empty when in0 > in1) are the inside and the rest the outline.
struct RingRow {
  std::int64_t x0 = 0, x1 = -1;
  std::int64_t in0 = 0, in1 = -1;
};

// Positions of the thin outline's pixels along the way of a dash pattern: counter-clockwise on
// screen from the rightmost point, one position per row where the outline is steep (as a line that
// steps along y) and one per column where it is flat. Computed per pixel, without walking.
class EllipsePath {
 public:
  explicit EllipsePath(const EllipseRegion& region);
  std::int64_t PositionOf(std::int64_t x, std::int64_t y) const;

 private:
  // Position in the quarter from the rightmost point up to the top, by absolute doubled offsets.
  std::int64_t QuarterPosition(std::int64_t ax, std::int64_t ay) const;

  const EllipseRegion& m_region;
  std::int64_t m_lastSteep = -1;       // doubled row offset of the last steep row (-1: none)
  std::int64_t m_steepRows = 0;        // rows from the middle through the last steep one
  std::int64_t m_firstFlatColumn = 0;  // columns from the right of the first flat row's outer pixel
  std::int64_t m_quarter = 0;          // positions of a quarter from middle row to top pixel inclusive
};

// The thin outline of a region row by row, downward from a first row of the region; each row of
// the region is computed once.
class OutlineRows {
 public:
  OutlineRows(const EllipseRegion& region, std::int64_t firstRow);
  // The outline of the current row; then moves to the next row.
  RingRow Next();

 private:
  struct Span {
    bool present = false;
    std::int64_t x0 = 0, x1 = -1;
  };
  Span RowSpan(std::int64_t y) const;

  const EllipseRegion& m_region;
  std::int64_t m_y;
  Span m_above, m_row, m_below;
};
// The ring between an outer region and an inner one inside it, in row y (outer.HasRow(y)).
RingRow RingBetween(const EllipseRegion& outer, const EllipseRegion& inner, std::int64_t y);

}  // namespace nox::detail
