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
  // Rows whose sample row lies within the radius of the segment's rows.
  m_firstRow = FloorHalf(std::min(m_ay2, m_by2) - m_width - m_offset) + 1;
  m_lastRow = CeilHalf(std::max(m_ay2, m_by2) + m_width - m_offset) - 1;
}

bool Capsule::Covers(std::int64_t x, std::int64_t y) const {
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

bool Capsule::Row(std::int64_t y, int imageWidth, int& x0, int& x1) const {
  // An estimate of the covered sample interval in long double, made exact below with Covers.
  constexpr long double kInf = std::numeric_limits<long double>::infinity();
  const long double sy = 2.0L * static_cast<long double>(y) + static_cast<long double>(m_offset);
  const auto w = static_cast<long double>(m_width);
  long double lo = kInf, hi = -kInf;
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
    // s = sample x - a.x: projection 0 < s dx + qy dy < |d|^2 and distance |s dy - qy dx| < w |d|.
    const long double qy = sy - static_cast<long double>(m_ay2);
    const auto dx = static_cast<long double>(m_dx2), dy = static_cast<long double>(m_dy2);
    const auto length2 = static_cast<long double>(m_length2);
    constexpr long double kSlack = 4.0L;
    long double sLo = -kInf, sHi = kInf;
    bool band = true;
    if (m_dx2 != 0) {
      long double a = -qy * dy / dx, b = (length2 - qy * dy) / dx;
      if (a > b) std::swap(a, b);
      sLo = std::max(sLo, a);
      sHi = std::min(sHi, b);
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
  if (lo > hi) return false;
  // Candidate pixels with one pixel of margin for the rounding of the estimate.
  const long double first = std::ceil((lo - static_cast<long double>(m_offset)) / 2.0L) - 1.0L;
  const long double last = std::floor((hi - static_cast<long double>(m_offset)) / 2.0L) + 1.0L;
  if (last < 0.0L || first > static_cast<long double>(imageWidth - 1)) return false;
  std::int64_t a = first < 0.0L ? 0 : static_cast<std::int64_t>(first);
  std::int64_t b =
      last > static_cast<long double>(imageWidth - 1) ? imageWidth - 1 : static_cast<std::int64_t>(last);
  while (a <= b && !Covers(a, y)) ++a;
  while (b >= a && !Covers(b, y)) --b;
  if (a > b) return false;
  while (a > 0 && Covers(a - 1, y)) --a;
  while (b < imageWidth - 1 && Covers(b + 1, y)) ++b;
  x0 = static_cast<int>(a);
  x1 = static_cast<int>(b);
  return true;
}

}  // namespace nox::detail
