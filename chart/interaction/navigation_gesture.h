#pragma once
// How wheel turns and navigation keys come together into gestures, so that each gesture leaves one
// zoom-history snapshot however many events it took, and how a zoom about a point moves an axis.
//
// A gesture goes on while events of one source follow each other with pauses of at most
// kNavigationPauseMs (by the host's event timestamps) and nothing else was recorded in the history
// meanwhile. An event without a timestamp (0), or one stamped earlier than the last, begins a
// gesture of its own.

#include <cstdint>

#include "chart/model/zoom_history.h"
#include "scale/drag_scale_range.h"

namespace nox::detail {

constexpr std::uint64_t kNavigationPauseMs = 500;

// The zoom history as some step left it: its write position and newest snapshot. Anything
// recorded since changes one of them (sixteen pushes of that very snapshot aside, which would leave
// the history as it was anyway).
struct THistoryMark {
  int Position = 0;  // 0: nothing marked
  TZoomSnapshot Newest{};

  static THistoryMark Of(const TZoomHistory& history);
  bool Matches(const TZoomHistory& history) const;
};

enum TNavigationSource : std::uint8_t { nsNone, nsWheel, nsKeys };

struct TNavigationGesture {
  TNavigationSource Source = nsNone;
  std::uint64_t LastTime = 0;  // host timestamp of its last event, ms
  THistoryMark Mark;           // the history after its last snapshot

  bool Continues(TNavigationSource source, std::uint64_t timeMs, const TZoomHistory& history) const;
};

// An axis range scaled by factor about the world value `at` (which stays where it is on screen):
// linear bounds move to at + (bound - at) x factor; logarithmic ones to at x (bound / at)^factor.
// factor < 1 zooms in.
TExtendedRange ZoomAboutPoint(bool logarithmic, double low, double high, double at, long double factor);

}  // namespace nox::detail
