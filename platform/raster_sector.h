#pragma once
// The angular range of an arc: counter-clockwise on screen (y grows downward) from the ray
// centre -> start to the ray centre -> end, both rays included. Equal directions give the full
// turn; a ray through the centre itself points right. Exact for rays of any length: the tests are
// signs of 128-bit cross products.

#include <cstdint>

#include "platform/raster_math.h"

namespace nox::detail {

class Sector {
 public:
  // The centre and the ray points in doubled coordinates (so that a centre between pixels is exact).
  Sector(std::int64_t cx2, std::int64_t cy2, std::int64_t startX2, std::int64_t startY2, std::int64_t endX2,
         std::int64_t endY2)
      : m_ux(startX2 - cx2), m_uy(cy2 - startY2), m_vx(endX2 - cx2), m_vy(cy2 - endY2) {
    // Flipping y turns screen counter-clockwise into the usual mathematical orientation.
    if (m_ux == 0 && m_uy == 0) m_ux = 1;
    if (m_vx == 0 && m_vy == 0) m_vx = 1;
    m_turn = Cross(m_ux, m_uy, m_vx, m_vy);
    m_full = m_turn == 0 && Int128{m_ux} * m_vx + Int128{m_uy} * m_vy > 0;
  }

  // Whether the point at the doubled offset (dx2, dy2) from the centre (screen y) lies in the range.
  bool Contains(std::int64_t dx2, std::int64_t dy2) const {
    if (m_full) return true;
    const std::int64_t qx = dx2, qy = -dy2;
    const Int128 fromStart = Cross(m_ux, m_uy, qx, qy), toEnd = Cross(qx, qy, m_vx, m_vy);
    if (m_turn > 0) return fromStart >= 0 && toEnd >= 0;  // less than half a turn
    if (m_turn < 0) return fromStart >= 0 || toEnd >= 0;  // more than half a turn
    return fromStart >= 0;                                // exactly half a turn
  }

 private:
  static Int128 Cross(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) {
    return Int128{ax} * by - Int128{ay} * bx;
  }

  std::int64_t m_ux, m_uy, m_vx, m_vy;  // start and end directions, y upward
  Int128 m_turn = 0;
  bool m_full = false;
};

}  // namespace nox::detail
