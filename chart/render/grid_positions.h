#pragma once
// Where the grid lines of one axis go: the deciding half of the chart's grid (render/grid.cpp
// draws them). A step s selects the positions:
//
//   s > 0                     the multiples of s, on linear and logarithmic axes
//   s < 0, linear axis        the multiples of |s|, from ceil(low / s) * s (at or below low)
//   -1, logarithmic axis      one per decade: 1, 10, 100 ...
//   -2, logarithmic axis      1-2-5 steps: ... 2, 5, 10, 20, 50 ...
//   -3 and any other negative every integer multiple within a decade: 1, 2, ... 9, 10, 20 ...
//     s, logarithmic axis     (-3 starts at the multiple nearest to low, the others at low itself)
//   0                         the tick positions of the axis' scale control
//
// log10 is taken as ln(v) / 2.302585092994046 throughout, so positions reproduce exactly.

#include <span>
#include <vector>

namespace nox::detail {

// Lines per axis, and points of a point grid in all.
constexpr int kMaxGridLines = 1000;

// The grid's logarithm to base 10: ln(v) / 2.302585092994046 (NaN for v < 0, -inf for 0).
double GridLog10(double v);

// The first position of a walk with a step other than 0 along an axis whose smaller bound is low.
// A logarithmic walk from a low that is not positive gives NaN (no positions).
double FirstGridPosition(bool logarithmic, double step, double low);

// The position after current of a walk with a step other than 0. On a logarithmic axis with step -2
// a current value that is not a 1-2-5 value goes on to the next one above it.
double NextGridStep(bool logarithmic, double step, double current);

// One axis of the chart's current layer.
struct TGridAxis {
  bool Logarithmic = false;
  double Low = 0;   // the smaller range bound
  double High = 1;  // the larger range bound
  double Step = 0;  // GridDx or GridDy
};

// The positions of one axis, at most kMaxGridLines, each below High.
// - Step other than 0: the walk from FirstGridPosition while the position is below High; a position
//   that is not finite ends it.
// - Step 0: the ticks (the scale control's tick list) that lie within Low .. High (High left out), in
//   increasing order, each once. A scale without ticks gives Low alone. (The ticks are taken in value
//   order rather than list order: a descending scale lists its ticks from the high bound down, and a
//   walk that stops at the first value not below High would draw nothing there.)
// Bounds that are not finite, or Low above High, give no positions.
std::vector<double> GridPositions(const TGridAxis& axis, std::span<const double> ticks);

// The position numbered n (2 for the second) after current. Step other than 0: the walk's next
// position (NextGridStep). Step 0: the n-th tick in the scale control's list order, or High when n
// lies outside the list. (Unlike GridPositions, which takes the ticks in value order, this counts
// them as the scale lists them, a descending scale from its high bound down.)
double NextGridPosition(const TGridAxis& axis, std::span<const double> ticks, int n, double current);

}  // namespace nox::detail
