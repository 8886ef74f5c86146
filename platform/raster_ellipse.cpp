#include "platform/raster_ellipse.h"

#include <algorithm>
#include <cmath>

#include "platform/raster_math.h"

namespace nox::detail {

namespace {

// The largest t <= a with (t b)^2 <= a^2 (b - y)(b + y), for b > 0 and 0 <= y <= b: the half-width
// of the ellipse with semi-axes a and b at height y, rounded down. Estimated in floating point and made
// exact with integer products (128 bits, or 256 for boxes beyond 2^31 pixels).
std::int64_t HalfWidthAt(std::int64_t a, std::int64_t b, std::int64_t y) {
  const UInt128 rhsFactor = static_cast<UInt128>(b - y) * static_cast<UInt128>(b + y);
  const UInt128 a2 = static_cast<UInt128>(a) * static_cast<UInt128>(a);
  const bool small = a < (std::int64_t{1} << 31) && b < (std::int64_t{1} << 31);
  const auto fits = [&](std::int64_t t) {
    const UInt128 tb = static_cast<UInt128>(t) * static_cast<UInt128>(b);
    if (small) return tb * tb <= a2 * rhsFactor;
    return CompareProducts(tb, tb, a2, rhsFactor) <= 0;
  };
  // An estimate that is off by a unit at most; double suffices while the numbers are small.
  std::int64_t t = 0;
  if (small && a < (std::int64_t{1} << 26) && b < (std::int64_t{1} << 26)) {
    const double estimate = static_cast<double>(a) *
                            std::sqrt(static_cast<double>(b - y) * static_cast<double>(b + y)) /
                            static_cast<double>(b);
    t = std::min(a, static_cast<std::int64_t>(estimate));
  } else {
    const long double estimate =
        static_cast<long double>(a) *
        std::sqrt(static_cast<long double>(b - y) * static_cast<long double>(b + y)) /
        static_cast<long double>(b);
    t = std::min(a, static_cast<std::int64_t>(estimate));
  }
  while (t < a && fits(t + 1)) ++t;
  while (t > 0 && !fits(t)) --t;
  return t;
}

}  // namespace

EllipseRegion::EllipseRegion(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
    : m_left(left), m_top(top), m_a(right - left - 1), m_b(bottom - top - 1) {}

std::int64_t EllipseRegion::HalfWidth(std::int64_t y2) const {
  if (m_b == 0) return m_a;
  const std::int64_t ay = y2 < 0 ? -y2 : y2;
  // Largest x of the parity of a not above v.
  const auto onGrid = [this](std::int64_t v) { return ((v ^ m_a) & 1) != 0 ? v - 1 : v; };
  // Centre moved half a pixel (one doubled unit) toward the centre along x, then along y.
  const std::int64_t alongX = onGrid(std::min(HalfWidthAt(m_a, m_b, ay) + 1, m_a));
  const std::int64_t alongY = onGrid(std::min(HalfWidthAt(m_a, m_b, ay > 0 ? ay - 1 : 0), m_a));
  return std::max(alongX, alongY);
}

void EllipseRegion::Row(std::int64_t y, std::int64_t& x0, std::int64_t& x1) const {
  const std::int64_t r = HalfWidth(2 * (y - m_top) - m_b);
  x0 = m_left + (m_a - r) / 2;
  x1 = m_left + (m_a + r) / 2;
}

OutlineRows::OutlineRows(const EllipseRegion& region, std::int64_t firstRow)
    : m_region(region),
      m_y(firstRow),
      m_above(RowSpan(firstRow - 1)),
      m_row(RowSpan(firstRow)),
      m_below(RowSpan(firstRow + 1)) {}

OutlineRows::Span OutlineRows::RowSpan(std::int64_t y) const {
  Span span;
  span.present = m_region.HasRow(y);
  if (span.present) m_region.Row(y, span.x0, span.x1);
  return span;
}

RingRow OutlineRows::Next() {
  RingRow row;
  row.x0 = m_row.x0;
  row.x1 = m_row.x1;
  // Pixels beyond the narrower neighbour row have a 4-neighbour outside; the top and bottom rows
  // are all outline.
  if (m_above.present && m_below.present) {
    row.in0 = std::max(row.x0 + 1, std::max(m_above.x0, m_below.x0));
    row.in1 = std::min(row.x1 - 1, std::min(m_above.x1, m_below.x1));
  }
  ++m_y;
  m_above = m_row;
  m_row = m_below;
  m_below = RowSpan(m_y + 1);
  return row;
}

RingRow RingBetween(const EllipseRegion& outer, const EllipseRegion& inner, std::int64_t y) {
  RingRow row;
  outer.Row(y, row.x0, row.x1);
  if (inner.HasRow(y)) {
    inner.Row(y, row.in0, row.in1);
    row.in0 = std::max(row.in0, row.x0);
    row.in1 = std::min(row.in1, row.x1);
  }
  return row;
}

EllipsePath::EllipsePath(const EllipseRegion& region) : m_region(region) {
  const std::int64_t a = region.A(), b = region.B();
  const std::int64_t middle = b & 1;  // doubled offset of the middle row(s)
  // A row is steep when the outline's slope at its outer pixel exceeds 1: b^2 x > a^2 y. A single
  // column counts as steep throughout and a single row as flat.
  const auto steep = [&](std::int64_t ay) {
    if (a == 0) return true;
    if (b == 0) return false;
    const UInt128 lhs = static_cast<UInt128>(Int128{b} * b) * static_cast<UInt128>(region.HalfWidth(ay));
    const UInt128 rhs = static_cast<UInt128>(Int128{a} * a) * static_cast<UInt128>(ay);
    return lhs > rhs;
  };
  // Steepness falls from the middle row outward: find the last steep row by bisection.
  if (steep(middle)) {
    std::int64_t lo = 0, hi = (b - middle) / 2;  // row indices counted from the middle
    while (lo < hi) {
      const std::int64_t mid = lo + (hi - lo + 1) / 2;
      if (steep(middle + 2 * mid)) {
        lo = mid;
      } else {
        hi = mid - 1;
      }
    }
    m_lastSteep = middle + 2 * lo;
    m_steepRows = lo + 1;
  }
  const std::int64_t firstFlat = m_lastSteep < 0 ? middle : m_lastSteep + 2;
  m_firstFlatColumn = firstFlat <= b ? (a - region.HalfWidth(firstFlat)) / 2 : 0;
  m_quarter = QuarterPosition(a & 1, b) + 1;
}

std::int64_t EllipsePath::QuarterPosition(std::int64_t ax, std::int64_t ay) const {
  if (ay <= m_lastSteep) return (ay - (m_region.B() & 1)) / 2;
  return m_steepRows + (m_region.A() - ax) / 2 - m_firstFlatColumn;
}

std::int64_t EllipsePath::PositionOf(std::int64_t x, std::int64_t y) const {
  const std::int64_t dx = 2 * x - m_region.CentreX2(), dy = 2 * y - m_region.CentreY2();
  const std::int64_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
  const std::int64_t p = QuarterPosition(ax, ay);
  // Each quarter owns the axis pixels where it starts; a shared axis makes the quarter one shorter.
  const std::int64_t shortX = (m_region.A() & 1) == 0 ? 1 : 0;  // a centre column exists
  const std::int64_t shortY = (m_region.B() & 1) == 0 ? 1 : 0;  // a middle row exists
  const std::int64_t q0 = m_quarter - shortX, q1 = m_quarter - shortY;
  if (dx > 0 && dy <= 0) return p;                                   // right to top
  if (dx <= 0 && dy < 0) return q0 + (m_quarter - 1 - p);            // top to left
  if (dx < 0 && dy >= 0) return q0 + q1 + p;                         // left to bottom
  if (dx >= 0 && dy > 0) return q0 + q1 + q0 + (m_quarter - 1 - p);  // bottom to right
  return 0;                                                          // the centre of a degenerate box
}

}  // namespace nox::detail
