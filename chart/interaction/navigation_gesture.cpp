#include "chart/interaction/navigation_gesture.h"

#include <cmath>

namespace nox::detail {

THistoryMark THistoryMark::Of(const TZoomHistory& history) {
  const TZoomSnapshot* newest = history.Recall(0);
  return {history.WritePosition(), newest ? *newest : TZoomSnapshot{}};
}

bool THistoryMark::Matches(const TZoomHistory& history) const {
  const TZoomSnapshot* newest = history.Recall(0);
  return Position == history.WritePosition() && newest && *newest == Newest;
}

bool TNavigationGesture::Continues(TNavigationSource source, std::uint64_t timeMs,
                                   const TZoomHistory& history) const {
  return Source != nsNone && source == Source && timeMs != 0 && timeMs >= LastTime &&
         timeMs - LastTime <= kNavigationPauseMs && Mark.Matches(history);
}

TExtendedRange ZoomAboutPoint(bool logarithmic, double low, double high, double at, long double factor) {
  if (logarithmic && at > 0) {
    return {at * std::pow(static_cast<long double>(low) / at, factor),
            at * std::pow(static_cast<long double>(high) / at, factor)};
  }
  return {at + (static_cast<long double>(low) - at) * factor,
          at + (static_cast<long double>(high) - at) * factor};
}

}  // namespace nox::detail
