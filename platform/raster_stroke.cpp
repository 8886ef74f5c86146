#include "platform/raster_stroke.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace nox::detail {

namespace {
constexpr std::int64_t FloorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }
constexpr std::int64_t CeilHalf(std::int64_t v) { return -FloorHalf(-v); }
}  // namespace

Capsule::Capsule(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t width)
    : m_ax2(2 * ax),
      m_ay2(2 * ay),
      m_bx2(2 * bx),
      m_by2(2 * by),
      m_dx2(2 * (bx - ax)),
      m_dy2(2 * (by - ay)),
      m_width(width),
      m_offset(width % 2 == 0 ? 1 : 0) {
  m_length2 = static_cast<UInt128>(Int128{m_dx2} * m_dx2) + static_cast<UInt128>(Int128{m_dy2} * m_dy2);
  m_length = std::sqrt(static_cast<long double>(m_length2));
  const auto small = [](std::int64_t v) { return v > -kSmall && v < kSmall; };
  m_small = small(m_ax2) && small(m_ay2) && small(m_bx2) && small(m_by2) && small(m_width);
  // Rows whose sample row lies within the radius of the segment's rows.
  m_firstRow = FloorHalf(std::min(m_ay2, m_by2) - m_width - m_offset) + 1;
  m_lastRow = CeilHalf(std::max(m_ay2, m_by2) + m_width - m_offset) - 1;
}

void Capsule::LevelRows(std::int64_t& first, std::int64_t& last) const {
  first = 1, last = 0;
  if (m_dx2 != 0) return;
  first = CeilHalf(std::min(m_ay2, m_by2) - m_offset);
  last = FloorHalf(std::max(m_ay2, m_by2) - m_offset);
}

bool Capsule::Covers(std::int64_t x, std::int64_t y) const {
  const std::int64_t radius2_64 = m_width * m_width;
  if (m_small && x > -kSmall && x < kSmall && y > -kSmall && y < kSmall) {
    // Every value below 2^22 and every product below 2^45 fits 64 bits; only the last needs 128.
    const std::int64_t px = 2 * x + m_offset - m_ax2, py = 2 * y + m_offset - m_ay2;
    const std::int64_t dot = px * m_dx2 + py * m_dy2;
    if (dot <= 0) return px * px + py * py < radius2_64;
    if (static_cast<UInt128>(dot) >= m_length2) {
      const std::int64_t qx = 2 * x + m_offset - m_bx2, qy = 2 * y + m_offset - m_by2;
      return qx * qx + qy * qy < radius2_64;
    }
    const std::int64_t cross = px * m_dy2 - py * m_dx2;
    return static_cast<UInt128>(Int128{cross} * cross) < static_cast<UInt128>(radius2_64) * m_length2;
  }
  const Int128 sx = Int128{2} * x + m_offset, sy = Int128{2} * y + m_offset;
  const Int128 px = sx - m_ax2, py = sy - m_ay2;
  const UInt128 radius2 = static_cast<UInt128>(Int128{m_width} * m_width);
  const Int128 dot = px * m_dx2 + py * m_dy2;
  if (dot <= 0) return static_cast<UInt128>(px * px) + static_cast<UInt128>(py * py) < radius2;
  if (static_cast<UInt128>(dot) >= m_length2) {
    const Int128 qx = sx - m_bx2, qy = sy - m_by2;
    return static_cast<UInt128>(qx * qx) + static_cast<UInt128>(qy * qy) < radius2;
  }
  // Distance from the line below the radius: cross^2 < radius^2 * |b - a|^2.
  const UInt128 cross = Abs128(px * m_dy2 - py * m_dx2);
  return CompareProducts(cross, cross, radius2, m_length2) < 0;
}

// The covered sample interval of a row is the hull of the row's intersections with the two discs
// and with the band between them (the capsule is convex). Both estimates below work in doubled
// units: lo and hi bound the sample x coordinates strictly inside.

bool Capsule::EstimateSmall(std::int64_t y, double& lo, double& hi) const {
  // All inputs are exact integers below 2^21 and their products below 2^43, so every decision
  // about whether a piece meets the row is exact; only the boundaries carry rounding, far below
  // kTolerance.
  const std::int64_t sy = 2 * y + m_offset;
  const std::int64_t radius2 = m_width * m_width;
  lo = std::numeric_limits<double>::infinity();
  hi = -lo;
  const auto disc = [&](std::int64_t cx, std::int64_t cy) {
    const std::int64_t q = sy - cy, h2 = radius2 - q * q;
    if (h2 <= 0) return;
    const double h = std::sqrt(static_cast<double>(h2));
    lo = std::min(lo, static_cast<double>(cx) - h);
    hi = std::max(hi, static_cast<double>(cx) + h);
  };
  disc(m_ax2, m_ay2);
  disc(m_bx2, m_by2);
  if (m_length2 != 0) {
    const std::int64_t qy = sy - m_ay2;
    const auto length2 = static_cast<std::int64_t>(m_length2);
    double sLo = -std::numeric_limits<double>::infinity(), sHi = -sLo;
    bool band = true;
    if (m_dx2 != 0) {
      double a = static_cast<double>(-qy * m_dy2) / static_cast<double>(m_dx2);
      double b = static_cast<double>(length2 - qy * m_dy2) / static_cast<double>(m_dx2);
      if (a > b) std::swap(a, b);
      sLo = a;
      sHi = b;
    } else {
      band = qy * m_dy2 > 0 && qy * m_dy2 < length2;
    }
    if (m_dy2 != 0) {
      const double reach = static_cast<double>(m_width) * static_cast<double>(m_length);
      double a = (static_cast<double>(qy * m_dx2) - reach) / static_cast<double>(m_dy2);
      double b = (static_cast<double>(qy * m_dx2) + reach) / static_cast<double>(m_dy2);
      if (a > b) std::swap(a, b);
      sLo = std::max(sLo, a);
      sHi = std::min(sHi, b);
    } else {
      band = band && static_cast<UInt128>(Int128{qy * m_dx2} * (qy * m_dx2)) <
                         static_cast<UInt128>(radius2) * m_length2;
    }
    if (band && sLo < sHi) {
      lo = std::min(lo, static_cast<double>(m_ax2) + sLo);
      hi = std::max(hi, static_cast<double>(m_ax2) + sHi);
    }
  }
  return lo < hi;
}

bool Capsule::EstimateLarge(std::int64_t y, long double& lo, long double& hi) const {
  constexpr long double kInf = std::numeric_limits<long double>::infinity();
  const long double sy = 2.0L * static_cast<long double>(y) + static_cast<long double>(m_offset);
  const auto w = static_cast<long double>(m_width);
  lo = kInf;
  hi = -kInf;
  // Pieces that nearly meet the row are kept: Row checks every boundary exactly.
  const auto disc = [&](std::int64_t cx, std::int64_t cy) {
    const long double q = sy - static_cast<long double>(cy);
    const long double h2 = w * w - q * q;
    if (h2 <= -w) return;
    const long double h = std::sqrt(std::max(h2, 0.0L));
    lo = std::min(lo, static_cast<long double>(cx) - h);
    hi = std::max(hi, static_cast<long double>(cx) + h);
  };
  disc(m_ax2, m_ay2);
  disc(m_bx2, m_by2);
  if (m_length2 != 0) {
    const long double qy = sy - static_cast<long double>(m_ay2);
    const auto dx = static_cast<long double>(m_dx2), dy = static_cast<long double>(m_dy2);
    const auto length2 = static_cast<long double>(m_length2);
    constexpr long double kSlack = 4.0L;
    long double sLo = -kInf, sHi = kInf;
    bool band = true;
    if (m_dx2 != 0) {
      long double a = -qy * dy / dx, b = (length2 - qy * dy) / dx;
      if (a > b) std::swap(a, b);
      sLo = a;
      sHi = b;
    } else {
      const long double v = qy * dy;
      band = v > -kSlack && v < length2 + kSlack;
    }
    if (m_dy2 != 0) {
      long double a = (qy * dx - w * m_length) / dy, b = (qy * dx + w * m_length) / dy;
      if (a > b) std::swap(a, b);
      sLo = std::max(sLo, a);
      sHi = std::min(sHi, b);
    } else {
      band = band && std::fabs(qy * dx) < w * m_length + kSlack;
    }
    if (band && sLo <= sHi) {
      lo = std::min(lo, static_cast<long double>(m_ax2) + sLo);
      hi = std::max(hi, static_cast<long double>(m_ax2) + sHi);
    }
  }
  return lo <= hi;  // false for NaN too, so no NaN reaches an integer conversion
}

bool Capsule::Row(std::int64_t y, int imageWidth, int& x0, int& x1) const {
  const std::int64_t lastColumn = imageWidth - 1;
  std::int64_t a = 0, b = 0;
  if (m_small) {
    double lo = 0, hi = 0;
    if (!EstimateSmall(y, lo, hi)) return false;
    // First and last pixel whose sample lies strictly inside the estimate; a sample within the
    // tolerance of a boundary is decided exactly, and the boundary may then move by one pixel.
    const auto offset = static_cast<double>(m_offset);
    a = static_cast<std::int64_t>(std::floor((lo - offset) / 2)) + 1;
    b = static_cast<std::int64_t>(std::ceil((hi - offset) / 2)) - 1;
    const auto sample = [&](std::int64_t x) { return static_cast<double>(2 * x + m_offset); };
    if (sample(a) - lo < kTolerance) {
      if (!Covers(a, y)) ++a;
    } else if (lo - sample(a - 1) < kTolerance && Covers(a - 1, y)) {
      --a;
    }
    if (hi - sample(b) < kTolerance) {
      if (!Covers(b, y)) --b;
    } else if (sample(b + 1) - hi < kTolerance && Covers(b + 1, y)) {
      ++b;
    }
    a = std::max<std::int64_t>(a, 0);
    b = std::min(b, lastColumn);
    if (a > b) return false;
  } else {
    // Far-away or huge segments: a long double estimate with a pixel of margin, made exact by
    // checking each boundary.
    long double lo = 0, hi = 0;
    if (!EstimateLarge(y, lo, hi)) return false;
    const long double first = std::ceil((lo - static_cast<long double>(m_offset)) / 2.0L) - 1.0L;
    const long double last = std::floor((hi - static_cast<long double>(m_offset)) / 2.0L) + 1.0L;
    if (!(last >= 0.0L && first <= static_cast<long double>(lastColumn))) return false;
    a = first < 0.0L ? 0 : static_cast<std::int64_t>(first);
    b = last > static_cast<long double>(lastColumn) ? lastColumn : static_cast<std::int64_t>(last);
    while (a <= b && !Covers(a, y)) ++a;
    while (b >= a && !Covers(b, y)) --b;
    if (a > b) return false;
    while (a > 0 && Covers(a - 1, y)) --a;
    while (b < lastColumn && Covers(b + 1, y)) ++b;
  }
  x0 = static_cast<int>(a);
  x1 = static_cast<int>(b);
  return true;
}

}  // namespace nox::detail
