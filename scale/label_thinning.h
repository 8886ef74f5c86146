#pragma once
// Which tick labels a scale shows when all of them would not fit: every k-th, with the smallest k
// that leaves a gap between neighbours. A scale with room for all its labels shows all of them.

#include <cstdint>
#include <span>

namespace nox::detail {

struct TLabelExtent {
  std::int64_t Index = 0;  // the tick's place among the major steps of the axis (TTick::LabelIndex)
  long long Begin = 0;     // first pixel of the label along the axis
  long long End = 0;       // first pixel after it
};

// The smallest k >= 1 for which the labels whose Index is a multiple of k, taken in their order along
// the axis, keep at least gap pixels between neighbours. A k that would leave no label at all does not
// count; 1 when no k leaves a gap.
int LabelStride(std::span<const TLabelExtent> labels, long long gap);

// Whether the label of the tick at index shows with stride k.
inline bool ShowsLabel(std::int64_t index, int k) { return index % k == 0; }

}  // namespace nox::detail
