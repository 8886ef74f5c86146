#include "scale/label_thinning.h"

#include <algorithm>
#include <vector>

#include "scale/tick_layout.h"

namespace nox::detail {

int LabelStride(std::span<const TLabelExtent> labels, long long gap) {
  if (labels.size() < 2) return 1;
  std::vector<TLabelExtent> sorted(labels.begin(), labels.end());
  std::sort(sorted.begin(), sorted.end(),
            [](const TLabelExtent& a, const TLabelExtent& b) { return a.Begin < b.Begin; });
  const auto [lowest, highest] =
      std::minmax_element(sorted.begin(), sorted.end(),
                          [](const TLabelExtent& a, const TLabelExtent& b) { return a.Index < b.Index; });
  // Beyond the spread of the indices a stride keeps one label at most; a pass has at most
  // kMaxTicksPerPass ticks.
  const long double spread =
      static_cast<long double>(highest->Index) - static_cast<long double>(lowest->Index);
  const int maxStride = static_cast<int>(std::min<long double>(spread + 1, kMaxTicksPerPass));
  for (int k = 1; k <= maxStride; ++k) {
    const TLabelExtent* previous = nullptr;
    bool fits = true;
    for (const TLabelExtent& label : sorted) {
      if (!ShowsLabel(label.Index, k)) continue;
      if (previous && label.Begin - previous->End < gap) {
        fits = false;
        break;
      }
      previous = &label;
    }
    if (fits && previous) return k;
  }
  return 1;
}

}  // namespace nox::detail
