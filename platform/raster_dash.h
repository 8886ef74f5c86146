#pragma once
// The cosmetic dash patterns of 1-pixel pens, one bit per pixel along the way, bit 0 first.

#include <cstdint>

#include "platform/pen.h"

namespace nox::detail {

struct DashPattern {
  std::uint32_t bits = 0;  // bit i set: pixel i of a period is painted
  int period = 0;          // 0: solid, every pixel painted

  constexpr bool Solid() const { return period == 0; }
  // Whether the pixel at a position along the way (any value, taken modulo the period) is painted.
  bool On(std::int64_t position) const {
    if (period == 0) return true;
    std::int64_t i = position % period;
    if (i < 0) i += period;
    return ((bits >> i) & 1u) != 0;
  }
};

// Runs of on and off pixels: dash 18 6, dot 3 3, dash-dot 9 6 3 6, dash-dot-dot 9 3 3 3 3 3.
constexpr std::uint32_t Run(int from, int count) { return ((1u << count) - 1u) << from; }
constexpr DashPattern kDash{Run(0, 18), 24};
constexpr DashPattern kDot{Run(0, 3), 6};
constexpr DashPattern kDashDot{Run(0, 9) | Run(15, 3), 24};
constexpr DashPattern kDashDotDot{Run(0, 9) | Run(12, 3) | Run(18, 3), 24};

// A multiple of every period, so that a pattern position may be kept modulo it.
constexpr int kPatternCycle = 24;

// The pattern repeated over a whole cycle: bit i is On(i) for 0 <= i < kPatternCycle.
constexpr std::uint32_t CycleBits(const DashPattern& dash) {
  if (dash.Solid()) return Run(0, kPatternCycle);
  std::uint32_t bits = 0;
  for (int from = 0; from < kPatternCycle; from += dash.period) bits |= dash.bits << from;
  return bits;
}

// The pattern a pen draws with: the dashed styles of 1-pixel pens; everything else is solid.
constexpr DashPattern PatternOf(TPenStyle style, int width) {
  if (width > 1) return {};
  switch (style) {
    case psDash:
      return kDash;
    case psDot:
      return kDot;
    case psDashDot:
      return kDashDot;
    case psDashDotDot:
      return kDashDotDot;
    default:
      return {};
  }
}

}  // namespace nox::detail
