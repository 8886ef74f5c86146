#pragma once
// The ranges that the chart-area pan and zoom-drag gestures ask for, one axis at a time. Every
// result is computed from the range saved at the drag start and the pointer's displacement since
// then, never from the previous move, so the picture follows the pointer exactly and rounding does
// not accumulate. Results may be huge, reversed or not finite; the range-update path refuses
// what it cannot store.

#include "scale/drag_scale_range.h"

namespace nox::detail {

// The saved range (savedLow, savedHigh) moved by `steps` chart-area extents of the current range
// (low, high): on a linear axis shifted by (high - low) x steps, on a logarithmic axis multiplied
// by (high / low)^steps. steps > 0 moves towards higher values.
TExtendedRange PanAxis(bool logarithmic, double low, double high, double savedLow, double savedHigh,
                       long double steps);

// v snapped down (towards zero) onto the grid of that step, then moved by offset:
// trunc(v / step) x step + offset. A step of 0 or less (or one that is not finite) leaves v as it is.
long double SnapToPanGrid(long double v, double step, double offset);

}  // namespace nox::detail
